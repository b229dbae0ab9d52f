#include "name_prompt.h"

#include <string>

#include "dialog_guard.h"
#include "dialog_placement_win32.h"
#include "dialog_state.h"
#include "editor_dialog.h"
#include "name_prompt_res.h"
#include "plugin_text.h"
#include "window_text.h"

namespace {

// One showing of the prompt.
struct NamePrompt {
  std::wstring accepted;  // the name box's text before the edit
};

}  // namespace

INT_PTR ShowNamePrompt() {
  NamePrompt prompt;
  const INT_PTR result = RunDialog(PluginModule(), IDD_NAME_PROMPT, GetActiveWindow(), GenericSaveProc,
                                   reinterpret_cast<LPARAM>(&prompt));
  RethrowDialogException();
  return result;
}

namespace {

INT_PTR SaveBoxMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  NamePrompt* prompt = message == WM_INITDIALOG ? KeepDialogState<NamePrompt>(dialog, lParam)
                                                : DialogState<NamePrompt>(dialog);
  if (!prompt) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      SendDlgItemMessageA(dialog, IDC_NAME, EM_LIMITTEXT, kNameLimit, 0);  // no name cut unseen
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // The limit counts characters, the name bytes: an edit that would pass the name's bytes
      // keeps only what still fits of what it inserted.
      if (id == IDC_NAME && HIWORD(wParam) == EN_UPDATE)
        KeepEditWithin(GetDlgItem(dialog, IDC_NAME), prompt->accepted, kNameLimit, TextSize(kNameLimit) - 1);
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
      EndOnClickOrKey(dialog, message, wParam);
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK GenericSaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return SaveBoxMessage(dialog, message, wParam, lParam); });
}
