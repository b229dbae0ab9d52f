#include "about_box.h"

#include "about_box_res.h"
#include "dialog_guard.h"
#include "module_handle.h"
#include "window_text.h"

void PIAboutBox::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  EndOnClickOrKey(window_, message, wParam);
}

void ShowAboutBox() {
  PIAboutBox box;
  box.Modal(PluginModule(), "Generic About Box", IDD_ABOUT);
}

namespace {

INT_PTR GenericMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PIDialog* object = DialogObject(dialog);
  switch (message) {
    case WM_INITDIALOG:
      object = StartDialogObject(dialog, lParam);
      WriteItemText(dialog, IDC_VERSION, kPluginVersion);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (object) object->Notify(id);
      if ((id == IDOK || id == IDCANCEL) && HIWORD(wParam) == 0) EndDialog(dialog, id);
      return TRUE;
    }
    default:
      return PassToDialogObject(dialog, object, message, wParam, lParam);
  }
}

}  // namespace

INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return GenericMessage(dialog, message, wParam, lParam); });
}
