#include "unattended.h"

#include "install_script.h"
#include "action_table.h"
#include "system_services.h"
#include "uninstall_record.h"

#include <objbase.h>

namespace {

class UnattendedServices : public SystemServices {
 public:
  int AskAbortRetryIgnore(const std::string&) override { return kAnswerAbort; }
};

}  // namespace

int RunUnattended(const StartCommand& command) {
  if (command.kind != StartKind::kUnattended) return kExitNotLoaded;
  // Shortcuts are COM objects of this thread.
  const bool comEntered = SUCCEEDED(CoInitialize(nullptr));
  UnattendedServices services;
  int code = kExitNotLoaded;
  {
    InstallScript script(services, InstallerActions());
    if (script.Load(command.uninstall ? command.scriptPath : "", nullptr)) {
      if (command.uninstall) {
        code = script.Run(false) ? kExitDone : kExitFailed;
      } else {
        if (script.GetVariable("InstallationFolder").empty())
          script.SetVariable("InstallationFolder", command.folder.empty()
                                                       ? script.GetVariable("DefaultInstFolder")
                                                       : command.folder);
        code = script.Run(true) ? kExitDone : kExitFailed;
        WriteUninstallRecord(script.GetVariable("Name"), script.GetVariable("InstallationFolder"));
      }
    }
  }
  if (comEntered) CoUninitialize();
  return code;
}
