// Installs or uninstalls without the dialog, for scripts and deployment tools: nothing is shown and
// nothing is asked. A step that fails is answered as Abort would be, so the run ends there; the log
// is the same as in the dialog, the answer included.
#pragma once

#include "command_line.h"

// Exit codes of an unattended run.
constexpr int kExitDone = 0;       // the whole list ran
constexpr int kExitFailed = 1;     // a step failed and the run ended there
constexpr int kExitNotLoaded = 2;  // nothing ran: no script, or a switch that is not known

// Runs the command (kind kUnattended or kUnknown) and returns its exit code. An install goes into
// the script's own InstallationFolder when it has one, else into command.folder, else into the
// script's DefaultInstFolder, and leaves the uninstall record as the dialog does.
int RunUnattended(const StartCommand& command);
