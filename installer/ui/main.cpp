// Install: installs, or uninstalls with "/uninstall|script", from an install script; with "/S"
// first, without the dialog.
#include "command_line.h"
#include "installer_dialog.h"
#include "system_text.h"
#include "unattended.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The command line after the program's name, in the installer's text: the 64-bit builds read it
// in UTF-16, so that a folder or script outside the code page arrives whole.
std::string CommandTail(LPSTR ansiTail) {
  if (!kUtf8Text) return ansiTail ? ansiTail : "";
  const wchar_t* at = GetCommandLineW();
  if (!at) return "";
  // The program's name ends at the first blank, or at the closing quote when it starts with one.
  if (*at == L'"') {
    for (++at; *at && *at != L'"';) ++at;
    if (*at) ++at;
  } else {
    while (*at && *at != L' ' && *at != L'\t') ++at;
  }
  while (*at == L' ' || *at == L'\t') ++at;
  return NarrowText(at);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const StartCommand command = ParseStartCommand(CommandTail(commandLine));
  if (command.kind == StartKind::kHelp) {
    MessageBoxW(nullptr, WideText(kCommandLineHelp).c_str(), L"Quenrow", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (command.kind != StartKind::kDialog) return RunUnattended(command);

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  RunInstallerDialog(instance, nullptr, command);
  return 0;  // the outcome is shown in the dialog and the log
}
