#include "unattended.h"

#include "install_session.h"
#include "system_services.h"

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
    InstallSession session(services, command.uninstall, command.scriptPath);
    if (session.Load(nullptr)) code = session.Run(command.folder) ? kExitDone : kExitFailed;
  }
  if (comEntered) CoUninitialize();
  return code;
}
