// Install: installs, or uninstalls with "/uninstall|script", from an install script; with "/S"
// first, without the dialog.
#include "command_line.h"
#include "installer_dialog.h"
#include "unattended.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const StartCommand command = ParseStartCommand(commandLine ? commandLine : "");
  if (command.kind == StartKind::kHelp) {
    MessageBoxA(nullptr, kCommandLineHelp, "Quenrow", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (command.kind != StartKind::kDialog) return RunUnattended(command);

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  InstallerDialog* dialog = new InstallerDialog(nullptr, command);
  dialog->DoModal(instance);
  delete dialog;
  return 0;  // the outcome is shown in the dialog and the log
}
