#include "editor_dialog.h"

#include <cstdio>

#include "command_routes.h"
#include "about_box.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "library_commands.h"
#include "popup_menu.h"
#include "spell_check_dialog.h"
#include "tools_commands.h"
#include "word_menu_box.h"

namespace {

FileInfoRecord g_workingCopy;
EditorState g_editor;

// Longest text read from the keyword box and from each of the other fields.
constexpr int kKeywordBoxRead = 9999;
constexpr int kFieldRead = 999;

// Reads control id of dialog into field (capacity bytes, NUL included), reading at most limit
// characters and never more than the field holds.
void ReadControl(HWND dialog, int id, char* field, std::size_t capacity, int limit) {
  const int fits = static_cast<int>(capacity);
  GetDlgItemTextA(dialog, id, field, limit + 1 < fits ? limit + 1 : fits);
}

// Each edit control takes at most what its field holds (the NUL aside), so that typing and
// pasting stop at the limit in plain sight instead of being cut on OK.
void LimitFields(HWND dialog) {
  const FileInfoRecord& f = g_workingCopy;
  const struct {
    int id;
    std::size_t size;
  } kLimits[] = {{IDC_KEYWORDS, sizeof f.keywords},         {IDC_TITLE, sizeof f.title},
                 {IDC_PHOTOGRAPHER, sizeof f.photographer}, {IDC_DESCRIPTION, sizeof f.description},
                 {IDC_COPYRIGHT, sizeof f.copyright},       {IDC_URL, sizeof f.url}};
  for (const auto& limit : kLimits) SendDlgItemMessageA(dialog, limit.id, EM_LIMITTEXT, limit.size - 1, 0);
}

// The keyword box's procedure while the dialog runs; the word menu hooks in here.
LRESULT CALLBACK KeywordBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(GetParent(box), [&]() -> LRESULT {
    if (message == WM_RBUTTONDOWN) return OpenWordMenu(box, wParam, lParam);
    return CallWindowProcA(g_editor.keywordBoxProc, box, message, wParam, lParam);
  });
}

void SubclassKeywordBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_KEYWORDS);
  g_editor.keywordBoxProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeywordBoxProc)));
}

using CommandHandler = void (*)(HWND dialog, const CommandRoute& route, int id, int code);

void OnAccept(HWND dialog, const CommandRoute&, int, int code) {
  if (code != 0) return;
  ReadFields();
  SaveRecentValues();
  EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog, const CommandRoute&, int, int code) {
  if (code == 0) EndDialog(dialog, IDCANCEL);
}

void OnCount(HWND dialog, const CommandRoute&, int, int) {
  UpdateCount(dialog);
}

void OnAbout(HWND, const CommandRoute&, int, int) {
  ShowAboutBox();
}

void OnSpellChecker(HWND dialog, const CommandRoute&, int, int) {
  RunSpellChecker(dialog);
}

void OnWordCommand(HWND dialog, const CommandRoute&, int id, int) {
  RunWordCommand(dialog, id);
}

// The handler of each routed command; ids without a route only refresh the count.
struct HandlerRow {
  EditorCommand command;
  CommandHandler handler;
};
const HandlerRow kHandlers[] = {
    {EditorCommand::kAccept, OnAccept},
    {EditorCommand::kCancel, OnCancel},
    {EditorCommand::kCount, OnCount},
    {EditorCommand::kAbout, OnAbout},
    // The library, its tools menu and the keyword-box tools (library_commands.h, tools_commands.h).
    {EditorCommand::kTools, OnToolsButton},
    {EditorCommand::kLoadTemplateMenu, OnLoadTemplateMenu},
    {EditorCommand::kSaveTemplate, OnSaveTemplate},
    {EditorCommand::kDeleteTemplateMenu, OnDeleteTemplateMenu},
    {EditorCommand::kLoadTemplate, OnLoadTemplate},
    {EditorCommand::kDeleteTemplate, OnDeleteTemplate},
    {EditorCommand::kRecentMenu, OnRecentMenu},
    {EditorCommand::kRecentValue, OnRecentValue},
    {EditorCommand::kSort, OnKeywordTool},
    {EditorCommand::kDeleteDuplicates, OnKeywordTool},
    {EditorCommand::kUpperCase, OnKeywordTool},
    {EditorCommand::kLowerCase, OnKeywordTool},
    {EditorCommand::kAddGroup, OnAddGroup},
    {EditorCommand::kSaveGroup, OnSaveGroup},
    {EditorCommand::kSaveGroupInDefaultFolder, OnSaveGroupInDefaultFolder},
    {EditorCommand::kDeleteGroup, OnDeleteGroup},
    {EditorCommand::kCreateFolder, OnCreateFolder},
    {EditorCommand::kDeleteFolder, OnDeleteFolder},
    // The spell checker and the word menu (spell_check_dialog.h, word_menu_box.h).
    {EditorCommand::kSpellChecker, OnSpellChecker},
    {EditorCommand::kSynonym, OnWordCommand},
    {EditorCommand::kSuggestion, OnWordCommand},
    {EditorCommand::kDeleteWord, OnWordCommand},
    {EditorCommand::kWordUpperCase, OnWordCommand},
    {EditorCommand::kWordLowerCase, OnWordCommand},
    {EditorCommand::kSelectAll, OnWordCommand},
    {EditorCommand::kAddToDictionary, OnWordCommand},
};

void OnCommand(HWND dialog, int id, int code) {
  const CommandRoute* route = FindCommandRoute(id);
  if (route) {
    for (const HandlerRow& row : kHandlers) {
      if (row.command == route->command) row.handler(dialog, *route, id, code);
    }
  }
  if (!route || route->refreshesCount) UpdateCount(dialog);
}

}  // namespace

FileInfoRecord& DialogWorkingCopy() {
  return g_workingCopy;
}

EditorState& Editor() {
  return g_editor;
}

void ShowFields(HWND dialog) {
  const FileInfoRecord& fields = g_workingCopy;
  SetDlgItemTextA(dialog, IDC_KEYWORDS, fields.keywords);
  SetDlgItemTextA(dialog, IDC_TITLE, fields.title);
  SetDlgItemTextA(dialog, IDC_PHOTOGRAPHER, fields.photographer);
  SetDlgItemTextA(dialog, IDC_DESCRIPTION, fields.description);
  SetDlgItemTextA(dialog, IDC_COPYRIGHT, fields.copyright);
  SetDlgItemTextA(dialog, IDC_URL, fields.url);
}

void ReadFields() {
  // A window of that caption without the keyword box is not the editor; reading it would empty
  // the working copy.
  HWND dialog = FindWindowA(nullptr, kEditorCaption);
  if (!dialog || !GetDlgItem(dialog, IDC_KEYWORDS)) return;
  FileInfoRecord& fields = g_workingCopy;
  ReadControl(dialog, IDC_KEYWORDS, fields.keywords, sizeof fields.keywords, kKeywordBoxRead);
  ReadControl(dialog, IDC_TITLE, fields.title, sizeof fields.title, kFieldRead);
  ReadControl(dialog, IDC_PHOTOGRAPHER, fields.photographer, sizeof fields.photographer, kFieldRead);
  ReadControl(dialog, IDC_DESCRIPTION, fields.description, sizeof fields.description, kFieldRead);
  ReadControl(dialog, IDC_COPYRIGHT, fields.copyright, sizeof fields.copyright, kFieldRead);
  ReadControl(dialog, IDC_URL, fields.url, sizeof fields.url, kFieldRead);
}

bool ReadKeywordBox(HWND dialog, char* text, std::size_t size) {
  const int length = GetWindowTextLengthA(GetDlgItem(dialog, IDC_KEYWORDS));
  if (size == 0 || length < 0 || static_cast<std::size_t>(length) >= size) return false;
  GetDlgItemTextA(dialog, IDC_KEYWORDS, text, static_cast<int>(size));
  return true;
}

void UpdateCount(HWND dialog) {
  char text[kKeywordBoxRead + 1];
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
    ModuleKeywordLibrary().LoadLanguage();
  } catch (...) {
  }
}

INT_PTR EditorMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      LimitFields(dialog);
      ShowFields(dialog);
      UpdateCount(dialog);
      SubclassKeywordBox(dialog);
      LoadRecentValues();
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
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
      OnNameEntered(reinterpret_cast<const char*>(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK TavimorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return GuardDialogWork(dialog, [&] { return EditorMessage(dialog, message, wParam); });
}
