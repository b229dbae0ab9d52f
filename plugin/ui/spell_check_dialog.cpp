#include "spell_check_dialog.h"

#include <string>

#include "editor_dialog.h"
#include "dialog_state.h"
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

class LibraryChecker : public WordChecker {
 public:
  explicit LibraryChecker(const KeywordLibrary& library) : library_(library) {}
  bool IsWordCorrect(const char* word) override { return library_.IsWordCorrect(word); }
  void GetSuggestions(const char* word, TextList& list) override { library_.GetSuggestions(word, list); }

 private:
  const KeywordLibrary& library_;
};

// A double click in the suggestions would otherwise reach the dialog as a second selection
// change; it is swallowed, the first click has selected the entry already.
LRESULT CALLBACK SuggestionListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDBLCLK) return 0;
  HWND dialog = GetParent(list);
  return GuardDialogWork(dialog, [&] {
    return CallWindowProcW(DialogState<SpellCheckDialog>(dialog)->suggestionListProc, list, message, wParam,
                           lParam);
  });
}

void SubclassSuggestionList(HWND dialog, SpellCheckDialog& check) {
  HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
  check.suggestionListProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SuggestionListProc)));
}

// Shows the next rejected word with its suggestions, or finishes the check as OK does when no
// word is left.
void NextMisspelledWord(HWND dialog, SpellCheckDialog& check) {
  LibraryChecker checker(check.library);
  SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_RESETCONTENT, 0, 0);
  if (!check.walk.NextMisspelledWord(checker, check.suggestions)) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return;
  }
  WriteItemText(dialog, IDC_SPELL_WORD, check.walk.Current().c_str());
  for (const std::string& suggestion : check.suggestions) {
    SendDlgItemMessageW(dialog, IDC_SPELL_SUGGESTIONS, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(SystemText(suggestion).c_str()));
  }
  if (!check.suggestions.empty()) SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_SETCURSEL, 0, 0);
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

void Finish(HWND dialog, SpellCheckDialog& check) {
  check.ended = true;
  // Too long only when no change was made (the produced form, "a; b; ", is longer than "a,b"):
  // the keyword box then keeps its text as it was.
  StoreRebuiltText(check.walk, check.buffer, check.capacity);
  EndDialog(dialog, 0);
  ShowMessage(nullptr, kSpellCheckComplete, kSpellCheckerCaption, MB_OK | MB_ICONINFORMATION);
}

void OnCommand(HWND dialog, SpellCheckDialog& check, int id) {
  if (check.ended) return;
  switch (id) {
    case IDC_SPELL_REPLACE: {
      const std::string replacement = SelectedSuggestion(dialog);
      if (!replacement.empty() && !check.walk.Replace(replacement)) {
        RefuseChange(dialog);
        break;
      }
      check.walk.Advance();
      NextMisspelledWord(dialog, check);
      break;
    }
    case IDC_SPELL_IGNORE:
      check.walk.Advance();
      NextMisspelledWord(dialog, check);
      break;
    case IDC_SPELL_DELETE:
      if (!check.walk.Delete()) {
        RefuseChange(dialog);
        break;
      }
      check.walk.Advance();
      NextMisspelledWord(dialog, check);
      break;
    case IDC_SPELL_ADD: {
      std::string word = ReadItemText(dialog, IDC_SPELL_WORD);
      word.resize(CharacterPrefix(word.c_str(), word.size(), kWordRead));
      check.library.AddWordToDictionary(word.c_str());
      // The same word again: it passes once the user word list holds it.
      NextMisspelledWord(dialog, check);
      break;
    }
    case IDOK:
      Finish(dialog, check);
      break;
    case IDCANCEL:
      check.ended = true;
      EndDialog(dialog, 0);
      break;
  }
}

INT_PTR SpellCheckMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SpellCheckDialog* check = message == WM_INITDIALOG ? KeepDialogState<SpellCheckDialog>(dialog, lParam)
                                                     : DialogState<SpellCheckDialog>(dialog);
  if (!check) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog);
      SubclassSuggestionList(dialog, *check);
      check->walk.Start(check->buffer, check->capacity);
      NextMisspelledWord(dialog, *check);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, *check, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK SpellCheckProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardDialogWork(dialog, [&] { return SpellCheckMessage(dialog, message, wParam, lParam); });
}

void RunSpellCheck(HWND owner, const KeywordLibrary& library, char* buffer, std::size_t capacity) {
  SpellCheckDialog check{library, buffer, capacity};
  RunDialog(PluginModule(), IDD_SPELL_CHECK, owner, SpellCheckProc, reinterpret_cast<LPARAM>(&check));
  RethrowDialogException();
}

void OnSpellChecker(EditorContext& editor, const EditorCommandCall&) {
  char* buffer = editor.state.spellBuffer;
  if (!ReadKeywordBox(editor.dialog, buffer, sizeof editor.state.spellBuffer)) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  RunSpellCheck(GetActiveWindow(), editor.library, buffer, sizeof editor.state.spellBuffer);
  BringWindowToTop(editor.dialog);
  WriteItemText(editor.dialog, IDC_KEYWORDS, buffer);
}
