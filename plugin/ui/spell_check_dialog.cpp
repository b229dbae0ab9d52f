#include "spell_check_dialog.h"

#include <string>

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "plugin_text.h"
#include "spell_check_dialog_res.h"
#include "spell_walk.h"
#include "system_text.h"
#include "window_text.h"

namespace {

// Longest suggestion taken by Replace and word taken by Add.
constexpr std::size_t kWordRead = 99;

SpellWalk g_walk;
TextList g_suggestions;
WNDPROC g_suggestionListProc = nullptr;
// Set once OK or Cancel has ended the dialog: the completion message runs its own message loop,
// during which nothing may act on the walk again.
bool g_ended = false;

class LibraryChecker : public WordChecker {
 public:
  bool IsWordCorrect(const char* word) override { return ModuleKeywordLibrary().IsWordCorrect(word); }
  void GetSuggestions(const char* word, TextList& list) override {
    ModuleKeywordLibrary().GetSuggestions(word, list);
  }
};

// A double click in the suggestions would otherwise reach the dialog as a second selection
// change; it is swallowed, the first click has selected the entry already.
LRESULT CALLBACK SuggestionListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDBLCLK) return 0;
  return GuardDialogWork(
      GetParent(list), [&] { return CallWindowProcW(g_suggestionListProc, list, message, wParam, lParam); });
}

void SubclassSuggestionList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
  g_suggestionListProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SuggestionListProc)));
}

// Shows the next rejected word with its suggestions, or finishes the check as OK does when no
// word is left.
void NextMisspelledWord(HWND dialog) {
  LibraryChecker checker;
  SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_RESETCONTENT, 0, 0);
  if (!g_walk.NextMisspelledWord(checker, g_suggestions)) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return;
  }
  WriteItemText(dialog, IDC_SPELL_WORD, g_walk.Current().c_str());
  for (const std::string& suggestion : g_suggestions) {
    SendDlgItemMessageW(dialog, IDC_SPELL_SUGGESTIONS, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(SystemText(suggestion).c_str()));
  }
  if (!g_suggestions.empty()) SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_SETCURSEL, 0, 0);
}

// The selected suggestion, cut to kWordRead; empty when nothing is selected. The entry's length
// is asked first: the list box copies whole entries and knows no buffer size.
std::string SelectedSuggestion(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::string();
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length <= 0) return std::string();
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
  std::string text = copied == LB_ERR ? std::string() : PluginText(wide.c_str(), static_cast<int>(copied));
  text.resize(CharacterPrefix(text.c_str(), text.size(), kWordRead));
  return text;
}

// A change that would make the rebuilt text too long for the spell buffer is refused as it is
// made, so the changes already accepted are never lost at the end.
void RefuseChange(HWND dialog) {
  ShowMessage(dialog, kSpellChangeRefused, kSpellCheckerCaption, MB_OK | MB_ICONWARNING);
}

void Finish(HWND dialog) {
  g_ended = true;
  // Too long only when no change was made (the produced form, "a; b; ", is longer than "a,b"):
  // the keyword box then keeps its text as it was.
  StoreRebuiltText(g_walk, Editor().spellBuffer, sizeof Editor().spellBuffer);
  EndDialog(dialog, 0);
  ShowMessage(nullptr, kSpellCheckComplete, kSpellCheckerCaption, MB_OK | MB_ICONINFORMATION);
}

void OnCommand(HWND dialog, int id) {
  if (g_ended) return;
  switch (id) {
    case IDC_SPELL_REPLACE: {
      const std::string replacement = SelectedSuggestion(dialog);
      if (!replacement.empty() && !g_walk.Replace(replacement)) {
        RefuseChange(dialog);
        break;
      }
      g_walk.Advance();
      NextMisspelledWord(dialog);
      break;
    }
    case IDC_SPELL_IGNORE:
      g_walk.Advance();
      NextMisspelledWord(dialog);
      break;
    case IDC_SPELL_DELETE:
      if (!g_walk.Delete()) {
        RefuseChange(dialog);
        break;
      }
      g_walk.Advance();
      NextMisspelledWord(dialog);
      break;
    case IDC_SPELL_ADD: {
      std::string word = ReadItemText(dialog, IDC_SPELL_WORD);
      word.resize(CharacterPrefix(word.c_str(), word.size(), kWordRead));
      ModuleKeywordLibrary().AddWordToDictionary(word.c_str());
      // The same word again: it passes once the user word list holds it.
      NextMisspelledWord(dialog);
      break;
    }
    case IDOK:
      Finish(dialog);
      break;
    case IDCANCEL:
      g_ended = true;
      EndDialog(dialog, 0);
      break;
  }
}

INT_PTR SpellCheckMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_ended = false;
      CenterDialog(dialog);
      SubclassSuggestionList(dialog);
      g_walk.Start(Editor().spellBuffer, sizeof Editor().spellBuffer);
      NextMisspelledWord(dialog);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK SpellCheckProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return GuardDialogWork(dialog, [&] { return SpellCheckMessage(dialog, message, wParam); });
}

void OnSpellChecker(EditorContext& editor, const EditorCommandCall&) {
  char* buffer = editor.state.spellBuffer;
  if (!ReadKeywordBox(editor.dialog, buffer, sizeof editor.state.spellBuffer)) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  RunDialog(PluginModule(), IDD_SPELL_CHECK, GetActiveWindow(), SpellCheckProc, 0);
  RethrowDialogException();
  BringWindowToTop(editor.dialog);
  WriteItemText(editor.dialog, IDC_KEYWORDS, buffer);
}
