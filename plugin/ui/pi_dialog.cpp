#include "pi_dialog.h"

#include "dialog_guard.h"
#include "dialog_placement_win32.h"
#include "window_text.h"

namespace {

constexpr int kSaveBoxResource = 121;

}  // namespace

PIDialog* DialogObject(HWND dialog) {
  return reinterpret_cast<PIDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

PIDialog* StartDialogObject(HWND dialog, LPARAM lParam) {
  CenterDialog(dialog);
  // The object lives in the caller of Modal for as long as the dialog runs.
  PIDialog* object = reinterpret_cast<PIDialog*>(lParam);
  SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  if (object) {
    object->AttachWindow(dialog);
    object->Init();
  }
  return object;
}

INT_PTR PIDialog::Modal(HINSTANCE module, const char* name, int resourceId) {
  (void)name;
  resourceId_ = resourceId;
  module_ = module;
  DLGPROC procedure = resourceId == kSaveBoxResource ? GenericSaveProc : GenericProc;
  const INT_PTR result =
      RunDialog(module, resourceId, GetActiveWindow(), procedure, reinterpret_cast<LPARAM>(this));
  RethrowDialogException();
  return result;
}

void EndOnClickOrKey(HWND dialog, UINT message, WPARAM wParam) {
  const bool closingKey = message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN);
  if (message == WM_LBUTTONDOWN || closingKey) EndDialog(dialog, 0);
}

INT_PTR PassToDialogObject(HWND dialog, PIDialog* object, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
  } else if (object) {
    object->Message(message, wParam, lParam);
  }
  return FALSE;
}
