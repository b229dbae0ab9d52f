#include "about_box.h"

#include "about_box_res.h"
#include "dialog_guard.h"
#include "dialog_placement_win32.h"
#include "dialog_state.h"
#include "module_handle.h"
#include "window_text.h"

void ShowAboutBox() {
  RunDialog(PluginModule(), IDD_ABOUT, GetActiveWindow(), GenericProc, 0);
  RethrowDialogException();
}

namespace {

INT_PTR AboutMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      WriteItemText(dialog, IDC_VERSION, kPluginVersion);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDOK || id == IDCANCEL) && HIWORD(wParam) == 0) EndDialog(dialog, id);
      return TRUE;
    }
    default:
      EndOnClickOrKey(dialog, message, wParam);
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return GuardDialogWork(dialog, [&] { return AboutMessage(dialog, message, wParam); });
}
