// The plug-in's exported entry point: every host message arrives here and is handled by
// HandlePluginMessage with the real dialogs. What lives for a load of the module is its one
// global.
#include <windows.h>

#include <optional>
#include <string>

#include "about_box.h"
#include "editor_dialog.h"
#include "error_log.h"
#include "file_system.h"
#include "library_commands.h"
#include "keyword_list_commands.h"
#include "library_migration.h"
#include "plugin_state.h"
#include "run_flow.h"

namespace {

// The 32-bit module's log stays at the root of drive C:, where it always was. There a standard
// user (or an administrator without elevation) cannot create a file, and a 64-bit process gets no
// file virtualisation: the x64 and ARM64 modules keep theirs where the user may write,
// LOCALAPPDATA\Tavimor\Tavimor.log (the classic place only when the shell cannot say).
constexpr const char* kClassicLogPath = "c:\\Tavimor.log";

// Made on the first message and destroyed when the module is unloaded. Making it takes none of
// the module's memory (the host's allocator is not there yet): the library and what it holds are
// made when first used, and the log's path is found into a buffer of its own.
struct Module {
  Module() {
#if defined(_WIN64)
    if (LocalUserFilePath(kUserLibraryFolder, "Tavimor.log", logPath, sizeof logPath)) return;
#endif
    CopyText(logPath, sizeof logPath, kClassicLogPath);
  }
  PluginState plugin;
  char logPath[2048];
};
std::optional<Module> g_module;

bool RunEditor() {
  return RunEditorDialog(GetActiveWindow(), g_module->plugin) == IDOK;
}

FileInfoRecord& WorkingCopy() {
  return g_module->plugin.workingCopy;
}

void SaveLast(const FileInfoRecord& record) {
  SaveLastTemplate(g_module->plugin.Library(), record);
}

// What the library's move leaves behind is named in the error log, for the user to fetch by hand.
void LogNotMoved(const std::string& path) {
  AppendLogText(g_module->logPath, ("Not moved: " + path).c_str());
}

// The lines a keyword-list import did not understand, for the user to look up.
void LogKeywordListLine(const char* line) {
  AppendLogText(g_module->logPath, line);
}

}  // namespace

extern "C" SPErr HOSTAPI AutoPluginMain(const char* caller, const char* selector, void* message) {
  if (!g_module) {
    SetMigrationReport(LogNotMoved);  // before the library is made
    SetKeywordListLog(LogKeywordListLine);
    g_module.emplace();
  }
  const PluginShell shell = {ShowAboutBox, RunEditor, WorkingCopy, SaveLast, g_module->logPath};
  return HandlePluginMessage(caller, selector, message, shell);
}
