#include "editor_dialog.h"

#include <cstdio>

#include "editor_commands.h"
#include "editor_dialog_res.h"
#include "library_commands.h"
#include "word_menu_win32.h"

namespace {

FileInfoRecord g_workingCopy;
EditorState g_editor;

// The edit control of each field, by FileInfoField.
constexpr int kFieldControls[kFileInfoFieldCount] = {IDC_KEYWORDS,    IDC_TITLE,     IDC_PHOTOGRAPHER,
                                                     IDC_DESCRIPTION, IDC_COPYRIGHT, IDC_URL};

// Each edit control takes at most what its field holds (the NUL aside), so that typing and
// pasting stop at the limit in plain sight instead of being cut on OK.
void LimitFields(HWND dialog) {
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    SendDlgItemMessageA(dialog, kFieldControls[field], EM_LIMITTEXT, kFileInfoFields[field].size - 1, 0);
}

// The keyword box's procedure while the dialog runs; the word menu hooks in here.
LRESULT CALLBACK KeywordBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(GetParent(box), [&]() -> LRESULT {
    if (message == WM_RBUTTONDOWN) {
      EditorContext editor = CurrentEditor(GetParent(box));
      return OpenWordMenu(editor, box, wParam, lParam);
    }
    return CallWindowProcA(g_editor.keywordBoxProc, box, message, wParam, lParam);
  });
}

void SubclassKeywordBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_KEYWORDS);
  g_editor.keywordBoxProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeywordBoxProc)));
}

}  // namespace

FileInfoRecord& DialogWorkingCopy() {
  return g_workingCopy;
}

EditorState& Editor() {
  return g_editor;
}

EditorContext CurrentEditor(HWND dialog) {
  return {dialog, g_workingCopy, g_editor, ModuleKeywordLibrary()};
}

INT_PTR RunEditorDialog(HWND owner, DLGPROC procedure) {
  const INT_PTR result = DialogBoxParamA(PluginModule(), MAKEINTRESOURCEA(IDD_EDITOR), owner, procedure, 0);
  RethrowDialogException();  // an exception inside the dialog ends the run here
  return result;
}

int FieldControl(int field) {
  return field >= 0 && field < kFileInfoFieldCount ? kFieldControls[field] : 0;
}

void ShowFields(HWND dialog) {
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    SetDlgItemTextA(dialog, kFieldControls[field], FieldText(g_workingCopy, field));
}

void ReadFields() {
  // A window of that caption without the keyword box is not the editor; reading it would empty
  // the working copy.
  HWND dialog = FindWindowA(nullptr, kEditorCaption);
  if (!dialog || !GetDlgItem(dialog, IDC_KEYWORDS)) return;
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    GetDlgItemTextA(dialog, kFieldControls[field], FieldText(g_workingCopy, field),
                    static_cast<int>(kFileInfoFields[field].size));
  }
}

bool ReadKeywordBox(HWND dialog, char* text, std::size_t size) {
  const int length = GetWindowTextLengthA(GetDlgItem(dialog, IDC_KEYWORDS));
  if (size == 0 || length < 0 || static_cast<std::size_t>(length) >= size) return false;
  GetDlgItemTextA(dialog, IDC_KEYWORDS, text, static_cast<int>(size));
  return true;
}

void UpdateCount(HWND dialog) {
  char text[kKeywordTextSize];
  GetDlgItemTextA(dialog, IDC_KEYWORDS, text, sizeof text);
  char count[16];
  std::snprintf(count, sizeof count, "%i", CountKeywords(text));
  SetDlgItemTextA(dialog, IDC_COUNT, count);
}

namespace {

// The language services load on this thread, never on another: every block they take is the
// host's and passes the memory watch, and neither promises anything about threads. The editor is
// painted and handed to the screen first, so the load never holds back its first sight. A load
// that fails is dropped here: the first language operation loads again and meets the failure
// where the user asked for it, as it would have without this.
void LoadLanguageAhead(HWND dialog) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  // A wait on the queue that returns at once: where the system puts a window's painting on the
  // screen only when its thread waits for messages (Wine), it does so now.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
  try {
    CurrentEditor(dialog).library.LoadLanguage();
  } catch (...) {
  }
}

INT_PTR EditorMessage(HWND dialog, UINT message, WPARAM wParam) {
  EditorContext editor = CurrentEditor(dialog);
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      LimitFields(dialog);
      ShowFields(dialog);
      UpdateCount(dialog);
      SubclassKeywordBox(dialog);
      LoadRecentValues(editor);
      return TRUE;
    case WM_COMMAND:
      RunEditorCommand(editor, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // A click on the dialog's own surface refreshes the count, as the Count button does.
      SendDlgItemMessageA(dialog, IDC_COUNT_BUTTON, BM_CLICK, 0, 0);
      return TRUE;
    case WM_SHOWWINDOW:
      // The dialog manager shows the editor once its queue is first empty; the load waits for that.
      if (wParam) PostMessageA(dialog, WM_LOAD_LANGUAGE, 0, 0);
      return FALSE;
    case WM_LOAD_LANGUAGE:
      LoadLanguageAhead(dialog);
      return TRUE;
    case WM_NAME_ENTERED:
      // The name prompt's request acts on the fields as they stand now.
      OnNameEntered(editor, reinterpret_cast<const char*>(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK TavimorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return GuardDialogWork(dialog, [&] { return EditorMessage(dialog, message, wParam); });
}
