// Actions that hand work to other programs: self-registering libraries, program runs, services.
#pragma once

#include "install_script.h"

#include <string>

// Service control manager of the local machine; every operation opens and closes its handles.
class ServiceControl {
 public:
  static bool Create(const std::string& program, const std::string& name, const std::string& displayName,
                     unsigned long startType);
  static bool Start(const std::string& name);
  static bool Stop(const std::string& name);
  static bool Delete(const std::string& name);
};

// Field: library path. Calls its DllRegisterServer; fails when the library does not load, lacks
// the export, or the export reports failure.
int DllRegisterServerAction(InstallScript& script, const ActionFields& fields);
// Field: library path. Calls its DllUnregisterServer when it can; never fails.
int DllUnRegisterServerAction(InstallScript& script, const ActionFields& fields);
// Fields: file, parameters. Opens the file with the shell and does not wait.
int RunExeFileAction(InstallScript& script, const ActionFields& fields);
// Fields: program path, service name, display name, start type ("Auto" or demand start).
int RegisterServerAction(InstallScript& script, const ActionFields& fields);
// Field: service name.
int StartServerAction(InstallScript& script, const ActionFields& fields);
// Field: service name. Stops the service, gives it five seconds, then deletes it.
int UnRegisterServerAction(InstallScript& script, const ActionFields& fields);
