// Install: installs, or uninstalls with "/uninstall|script", from an install script.
#include "installer_dialog.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  InstallerDialog* dialog = new InstallerDialog(nullptr, commandLine ? commandLine : "");
  dialog->DoModal(instance);
  delete dialog;
  return 0;  // the outcome is shown in the dialog and the log
}
