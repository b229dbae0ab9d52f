// The installer's one dialog: shows the script's texts, offers the installation folder, runs the
// install or uninstall on the main button and shows status, progress and the outcome.
#pragma once

#include "command_line.h"

#include <windows.h>

// Runs the dialog for command (the dialog's mode and script) until the user closes it, and returns
// how it was closed: 1 by Finish, 2 by Cancel, -1 when it could not be shown. The calling thread
// is in a single-threaded COM apartment while the dialog runs (the folder box's completion and the
// folder browser are COM objects of the dialog's thread).
INT_PTR RunInstallerDialog(HINSTANCE instance, HWND owner, const StartCommand& command);
