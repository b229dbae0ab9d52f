// The plug-in's exported entry point: every host message arrives here and is handled by
// HandlePluginMessage with the real dialogs.
#include <windows.h>

#include <string>

#include "editor_dialog.h"
#include "error_log.h"
#include "library_commands.h"
#include "library_migration.h"
#include "about_box.h"
#include "run_flow.h"

namespace {

bool RunEditor() {
  return RunEditorDialog(GetActiveWindow()) == IDOK;
}

const PluginShell kShell = {ShowAboutBox, RunEditor, DialogWorkingCopy, SaveLastTemplate, "c:\\Tavimor.log"};

// What the library's move leaves behind is named in the error log, for the user to fetch by hand.
void LogNotMoved(const std::string& path) {
  AppendLogText(kShell.logPath, ("Not moved: " + path).c_str());
}

}  // namespace

extern "C" SPErr HOSTAPI AutoPluginMain(const char* caller, const char* selector, void* message) {
  SetMigrationReport(LogNotMoved);  // before the first message makes the library
  return HandlePluginMessage(caller, selector, message, kShell);
}
