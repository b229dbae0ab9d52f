#include "editor_dialog.h"

#include <cstdio>

#include "editor_commands.h"
#include "editor_dialog_res.h"
#include "field_controls.h"
#include "dialog_state.h"
#include "library_commands.h"
#include "plugin_text.h"
#include "tools_menu.h"
#include "plugin_state.h"
#include "word_menu_win32.h"
#include "window_text.h"

namespace {

// One run of the editor.
struct EditorDialog {
  explicit EditorDialog(PluginState& state) : plugin(state) {}
  PluginState& plugin;
  // Each box's text as last accepted: what an edit past the field's capacity is measured against.
  std::wstring accepted[kFileInfoFieldCount];
  // Each box's procedure before subclassing.
  WNDPROC boxProcs[kFileInfoFieldCount] = {};
};

int FieldOfControl(int control) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    if (kFieldControls[field].edit == control) return field;
  }
  return -1;
}

// Each edit control takes at most the characters its field holds, so that typing and pasting
// stop at the limit in plain sight instead of being cut on OK.
void LimitFields(HWND dialog) {
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    SendDlgItemMessageA(dialog, kFieldControls[field].edit, EM_LIMITTEXT, FieldCapacity(field), 0);
}

// An edit control counts characters, a field's record bytes: where one character can take two
// bytes (a double-byte code page), an edit that would pass the record's capacity keeps what it
// replaced and only as much of what it inserted as still fits, with a beep, so the text stops at
// the limit in plain sight, as typing past the control's own limit does.
void KeepWithinCapacity(HWND dialog, EditorDialog& run, int control) {
  const int field = FieldOfControl(control);
  if (field < 0) return;
  KeepEditWithin(GetDlgItem(dialog, control), run.accepted[field], FieldCapacity(field),
                 kFileInfoFields[field].size - 1);
}

// The field boxes' procedure while the dialog runs: a text set by a program is what the next edit
// is measured against, and the word menu hooks into the keyword box.
LRESULT CALLBACK FieldBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND dialog = GetParent(box);
  return GuardDialogWork(dialog, [&]() -> LRESULT {
    EditorDialog& run = *DialogState<EditorDialog>(dialog);
    const int field = FieldOfControl(GetDlgCtrlID(box));
    if (field == kKeywordsField && message == WM_RBUTTONDOWN) {
      EditorContext editor = CurrentEditor(dialog);
      return OpenWordMenu(editor, box, wParam, lParam);
    }
    const LRESULT result = CallWindowProcW(run.boxProcs[field], box, message, wParam, lParam);
    if (message == WM_SETTEXT) run.accepted[field] = ReadWindowUnits(box);
    return result;
  });
}

void SubclassFieldBoxes(HWND dialog, EditorDialog& run) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    HWND box = GetDlgItem(dialog, kFieldControls[field].edit);
    run.accepted[field] = ReadWindowUnits(box);
    run.boxProcs[field] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FieldBoxProc)));
  }
  run.plugin.editor.keywordBoxProc = run.boxProcs[kKeywordsField];
}

}  // namespace

EditorContext CurrentEditor(HWND dialog) {
  PluginState& plugin = DialogState<EditorDialog>(dialog)->plugin;
  return {dialog, plugin.workingCopy, plugin.editor, plugin.Library()};
}

INT_PTR RunEditorDialog(HWND owner, PluginState& plugin, DLGPROC procedure) {
  EditorDialog run{plugin};
  const INT_PTR result =
      RunDialog(PluginModule(), IDD_EDITOR, owner, procedure, reinterpret_cast<LPARAM>(&run));
  RethrowDialogException();  // an exception inside the dialog ends the run here
  return result;
}

int FieldControl(int field) {
  return field >= 0 && field < kFileInfoFieldCount ? kFieldControls[field].edit : 0;
}

void ShowField(HWND dialog, int field, const char* text) {
  if (field < 0 || field >= kFileInfoFieldCount) return;
  std::string shown = text;
  shown.resize(CharacterPrefix(shown.c_str(), shown.size(), FieldCapacity(field)));
  WriteItemText(dialog, kFieldControls[field].edit, shown.c_str());
}

void ShowFields(HWND dialog, const FileInfoRecord& fields) {
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    ShowField(dialog, field, FieldText(fields, field));
}

bool IsOwnEditor(HWND window) {
  if (!window || !IsWindow(window)) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // A window without the keyword box is not the editor; reading it would empty the working copy.
  return process == GetCurrentProcessId() && GetDlgItem(window, IDC_KEYWORDS) != nullptr;
}

void ReadFields(HWND dialog, FileInfoRecord& fields) {
  if (!IsOwnEditor(dialog)) return;
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    SetFieldText(fields, field, ReadItemText(dialog, kFieldControls[field].edit).c_str());
}

bool ReadKeywordBox(HWND dialog, char* text, std::size_t size) {
  const std::string box = ReadItemText(dialog, IDC_KEYWORDS);
  if (box.size() >= size) return false;
  box.copy(text, box.size());
  text[box.size()] = '\0';
  return true;
}

void UpdateCount(HWND dialog) {
  const int count = CountKeywords(ReadItemText(dialog, IDC_KEYWORDS).c_str());
  if (!kUtf8Text) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", count);
    WriteItemText(dialog, IDC_COUNT, text);
    return;
  }
  const EditorDialog* run = DialogState<EditorDialog>(dialog);
  const int limit = run ? run->plugin.editor.keywordLimit : 0;
  WriteItemText(dialog, IDC_COUNT, KeywordCountText(count, limit).c_str());
}

namespace {

// The count label reaches to the right edge of the fields' frame, so that a count against the
// keyword limit ("52 / 50 !") shows whole.
void WidenCountLabel(HWND dialog) {
  HWND label = GetDlgItem(dialog, IDC_COUNT);
  HWND frame = GetDlgItem(dialog, IDC_FIELDS_FRAME);
  RECT labelBounds, frameBounds;
  if (!label || !frame || !GetWindowRect(label, &labelBounds) || !GetWindowRect(frame, &frameBounds)) return;
  if (frameBounds.right <= labelBounds.right) return;
  SetWindowPos(label, nullptr, 0, 0, frameBounds.right - labelBounds.left,
               labelBounds.bottom - labelBounds.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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

INT_PTR EditorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorDialog* run = message == WM_INITDIALOG ? KeepDialogState<EditorDialog>(dialog, lParam)
                                               : DialogState<EditorDialog>(dialog);
  if (!run) return FALSE;
  EditorContext editor = CurrentEditor(dialog);
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      LimitFields(dialog);
      SubclassFieldBoxes(dialog, *run);
      ShowFields(dialog, editor.fields);
      if (kUtf8Text) {
        editor.state.keywordLimit = editor.library.LoadKeywordLimit();
        WidenCountLabel(dialog);
      }
      UpdateCount(dialog);
      LoadRecentValues(editor);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_UPDATE) KeepWithinCapacity(dialog, *run, LOWORD(wParam));
      if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == IDC_KEYWORDS) KeywordsTyped(editor);
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
      PrepareWordMenus(editor);
      return TRUE;
    case WM_TIMER:
      OnWordMenuTimer(editor, wParam);
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

INT_PTR CALLBACK TavimorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return EditorMessage(dialog, message, wParam, lParam); });
}
