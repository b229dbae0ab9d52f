// The plug-in's exported entry point: every host message arrives here and is handled by
// HandlePluginMessage with the real dialogs.
#include <windows.h>

#include "editor_dialog.h"
#include "library_commands.h"
#include "pi_dialog.h"
#include "run_flow.h"

namespace {

constexpr int kEditorDialog = 18501;

bool RunEditor() {
  const INT_PTR result =
      DialogBoxParamA(PluginModule(), MAKEINTRESOURCEA(kEditorDialog), GetActiveWindow(), TavimorProc, 0);
  RethrowDialogException();  // an exception inside the dialog ends the run here
  return result == IDOK;
}

const PluginShell kShell = {ShowAboutBox, RunEditor, DialogWorkingCopy, SaveLastTemplate, "c:\\Tavimor.log"};

}  // namespace

extern "C" SPErr HOSTAPI AutoPluginMain(const char* caller, const char* selector, void* message) {
  return HandlePluginMessage(caller, selector, message, kShell);
}
