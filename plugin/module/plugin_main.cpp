// The plug-in's exported entry point: every host message arrives here and is handled by
// HandlePluginMessage with the real dialogs. The plug-in's state is the module's one global.
#include <windows.h>

#include <optional>
#include <string>

#include "about_box.h"
#include "editor_dialog.h"
#include "error_log.h"
#include "library_commands.h"
#include "library_migration.h"
#include "plugin_state.h"
#include "run_flow.h"

namespace {

// Made on the first message and destroyed when the module is unloaded. Making it takes no
// memory: the library and what it holds are made when first used.
std::optional<PluginState> g_plugin;

bool RunEditor() {
  return RunEditorDialog(GetActiveWindow(), *g_plugin) == IDOK;
}

FileInfoRecord& WorkingCopy() {
  return g_plugin->workingCopy;
}

void SaveLast(const FileInfoRecord& record) {
  SaveLastTemplate(g_plugin->Library(), record);
}

const PluginShell kShell = {ShowAboutBox, RunEditor, WorkingCopy, SaveLast, "c:\\Tavimor.log"};

// What the library's move leaves behind is named in the error log, for the user to fetch by hand.
void LogNotMoved(const std::string& path) {
  AppendLogText(kShell.logPath, ("Not moved: " + path).c_str());
}

}  // namespace

extern "C" SPErr HOSTAPI AutoPluginMain(const char* caller, const char* selector, void* message) {
  if (!g_plugin) {
    SetMigrationReport(LogNotMoved);  // before the library is made
    g_plugin.emplace();
  }
  return HandlePluginMessage(caller, selector, message, kShell);
}
