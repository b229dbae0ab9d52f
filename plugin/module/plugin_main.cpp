// The plug-in's exported entry point: every host message arrives here and is handled by
// HandlePluginMessage with the real dialogs.
#include <windows.h>

#include <string>

#include "editor_dialog.h"
#include "error_log.h"
#include "file_system.h"
#include "library_commands.h"
#include "library_migration.h"
#include "about_box.h"
#include "run_flow.h"

namespace {

bool RunEditor() {
  return RunEditorDialog(GetActiveWindow()) == IDOK;
}

// The 32-bit module's log stays at the root of drive C:, where it always was. There a standard
// user (or an administrator without elevation) cannot create a file, and a 64-bit process gets no
// file virtualisation: the x64 and ARM64 modules keep theirs where the user may write,
// LOCALAPPDATA\Tavimor\Tavimor.log (the classic place only when the shell cannot say).
constexpr const char* kClassicLogPath = "c:\\Tavimor.log";

// Found on the first message, without memory of the module's: the host's is not there yet.
const char* ErrorLogPath() {
#if defined(_WIN64)
  static char path[2048];
  if (LocalUserFilePath(kUserLibraryFolder, "Tavimor.log", path, sizeof path)) return path;
#endif
  return kClassicLogPath;
}

const PluginShell& Shell() {
  static const PluginShell shell = {ShowAboutBox, RunEditor, DialogWorkingCopy, SaveLastTemplate,
                                    ErrorLogPath()};
  return shell;
}

// What the library's move leaves behind is named in the error log, for the user to fetch by hand.
void LogNotMoved(const std::string& path) {
  AppendLogText(Shell().logPath, ("Not moved: " + path).c_str());
}

}  // namespace

extern "C" SPErr HOSTAPI AutoPluginMain(const char* caller, const char* selector, void* message) {
  SetMigrationReport(LogNotMoved);  // before the first message makes the library
  return HandlePluginMessage(caller, selector, message, Shell());
}
