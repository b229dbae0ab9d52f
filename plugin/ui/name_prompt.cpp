#include "name_prompt.h"

#include "editor_dialog.h"
#include "name_prompt_res.h"
#include "plugin_text.h"
#include "window_text.h"

void PISaveBox::Message(UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  EndOnClickOrKey(window_, message, wParam);
}

INT_PTR ShowNamePrompt() {
  PISaveBox box;
  return box.Modal(PluginModule(), "Generic Save Box", IDD_NAME_PROMPT);
}

namespace {

INT_PTR SaveBoxMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PIDialog* object = DialogObject(dialog);
  switch (message) {
    case WM_INITDIALOG:
      object = StartDialogObject(dialog, lParam);
      SendDlgItemMessageA(dialog, IDC_NAME, EM_LIMITTEXT, kNameLimit, 0);  // no name cut unseen
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // The limit counts characters, the name bytes: an edit that would pass the name's bytes
      // keeps only what still fits of what it inserted.
      if (id == IDC_NAME && HIWORD(wParam) == EN_UPDATE) {
        static std::wstring accepted;  // the name box's text before the edit
        KeepEditWithin(GetDlgItem(dialog, IDC_NAME), accepted, kNameLimit, TextSize(kNameLimit) - 1);
      }
      if (object) object->Notify(id);
      if (id == IDC_NAME_OK) {
        char name[TextSize(kNameLimit)] = {};
        CopyText(name, sizeof name, ReadItemText(dialog, IDC_NAME).c_str());
        // Sent, not posted: the name lives only in this frame, and the editor must be done with
        // it before the prompt closes. Only the editor that opened the prompt (its owner) gets the
        // pointer: a window of the same caption may be another process's editor.
        HWND editor = GetWindow(dialog, GW_OWNER);
        if (IsOwnEditor(editor)) SendMessageA(editor, WM_NAME_ENTERED, reinterpret_cast<WPARAM>(name), 0);
        EndDialog(dialog, IDC_NAME_OK);
      } else if ((id == IDOK || id == IDCANCEL || id == IDC_NAME_CANCEL) && HIWORD(wParam) == 0) {
        EndDialog(dialog, id);
      }
      return TRUE;
    }
    default:
      return PassToDialogObject(dialog, object, message, wParam, lParam);
  }
}

}  // namespace

INT_PTR CALLBACK GenericSaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return SaveBoxMessage(dialog, message, wParam, lParam); });
}
