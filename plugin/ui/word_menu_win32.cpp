#include "word_menu_win32.h"

#include <windowsx.h>

#include <string>

#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "list_menu_win32.h"
#include "plugin_text.h"
#include "user_language.h"
#include "window_text.h"
#include "word_menu.h"

namespace {

// The keyword box's text, at most the length the editor keeps.
std::string BoxText(HWND box) {
  std::string text = ReadWindowText(box);
  text.resize(CharacterPrefix(text.c_str(), text.size(), kKeywordCapacity));
  return text;
}

WordSpan CurrentSpan(const EditorState& state) {
  WordSpan span;
  span.word = state.currentWord;
  span.first = state.wordFirst;
  span.last = state.wordLast;
  return span;
}

void KeepSpan(EditorState& state, const WordSpan& span) {
  state.currentWord = span.word;
  state.wordFirst = span.first;
  state.wordLast = span.last;
}

HWND KeywordBox(const EditorContext& editor) {
  return GetDlgItem(editor.dialog, IDC_KEYWORDS);
}

// Runs act(box, text, span) when the word the menu opened on is still where it was found.
template <typename Act>
void OnCurrentWord(const EditorContext& editor, Act act) {
  HWND box = KeywordBox(editor);
  const std::string text = BoxText(box);
  const WordSpan span = CurrentSpan(editor.state);
  if (SpanHoldsWord(text, span)) act(box, text, span);
}

// Replaces the bytes [first, end) of the box's text as an undoable edit.
void ReplaceRange(HWND box, const std::string& text, std::size_t first, std::size_t end,
                  const std::string& replacement) {
  SendMessageW(box, EM_SETSEL, TextUnits(text, first), static_cast<LPARAM>(TextUnits(text, end)));
  ReplaceSelection(box, replacement.c_str());
}

void ReplaceWord(HWND box, const std::string& text, const WordSpan& span, const std::string& replacement) {
  if (!ReplacementFits(text, span, replacement)) return;
  ReplaceRange(box, text, static_cast<std::size_t>(span.first), static_cast<std::size_t>(span.last) + 1,
               replacement);
}

// The position of the character whose cell holds point (client coordinates of the box). The
// edit control answers with the nearest character boundary, which for a point in the right half
// of a character is the one after it.
int CharacterAt(HWND box, LPARAM point) {
  int index = LOWORD(SendMessageA(box, EM_CHARFROMPOS, 0, point));
  if (index > 0) {
    const LRESULT at = SendMessageA(box, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    const LRESULT before = SendMessageA(box, EM_POSFROMCHAR, static_cast<WPARAM>(index - 1), 0);
    const bool sameLine = at != -1 && before != -1 && HIWORD(at) == HIWORD(before);
    if (sameLine && GET_X_LPARAM(point) < static_cast<short>(LOWORD(at))) --index;
  }
  return index;
}

// The editor's timers: the pause after typing, and the steps of the work ahead.
constexpr UINT_PTR kTypingPauseTimer = 0x5741;
constexpr UINT_PTR kStepTimer = 0x5742;
constexpr UINT kTypingPauseMs = 500;

}  // namespace

void PrepareWordMenus(EditorContext& editor) {
  if (!kUtf8Text) return;
  KillTimer(editor.dialog, kTypingPauseTimer);
  try {
    editor.library.QueueSuggestions(WordsOf(BoxText(KeywordBox(editor))));
  } catch (...) {
    // The host out of memory: work ahead is no one's request, so it is dropped, as the load's is.
    return;
  }
  // A timer's message comes only when the thread has nothing else to do.
  SetTimer(editor.dialog, kStepTimer, USER_TIMER_MINIMUM, nullptr);
}

void KeywordsTyped(EditorContext& editor) {
  if (!kUtf8Text) return;
  KillTimer(editor.dialog, kStepTimer);
  SetTimer(editor.dialog, kTypingPauseTimer, kTypingPauseMs, nullptr);
}

void OnWordMenuTimer(EditorContext& editor, UINT_PTR timer) {
  if (timer == kTypingPauseTimer) {
    PrepareWordMenus(editor);
    return;
  }
  if (timer != kStepTimer) return;
  bool more = false;
  try {
    more = editor.library.PrepareNextSuggestion();
  } catch (...) {
    // As above: the menu works them out when asked, and meets the failure there.
  }
  if (!more) KillTimer(editor.dialog, kStepTimer);
}

LRESULT OpenWordMenu(EditorContext& editor, HWND box, WPARAM wParam, LPARAM lParam) {
  EditorState& state = editor.state;
  // The edit control's own double-click selection marks the word under the pointer; the button
  // going up ends the control's selection tracking, which would otherwise follow the mouse.
  SendMessageA(box, WM_LBUTTONDBLCLK, wParam, lParam);
  SendMessageA(box, WM_LBUTTONUP, wParam, lParam);
  state.menuList.clear();
  // Whatever happens next, no command may act on the word of an earlier opening.
  KeepSpan(state, WordSpan());
  const std::string text = BoxText(box);
  if (text.empty()) return CallWindowProcW(state.keywordBoxProc, box, WM_RBUTTONDOWN, wParam, lParam);

  // The word is the one under the pointer, found at the clicked character itself: where the
  // double-click selection starts depends on the edit control (it can be the caret's word, or
  // a neighbour joined by ";" or ",", which are no word breaks to it).
  const WordSpan span = FindWordAt(text, static_cast<int>(TextOffset(text, CharacterAt(box, lParam))));
  KeepSpan(state, span);

  const KeywordLibrary& library = editor.library;
  int kind;
  const char* header;
  if (library.IsWordCorrect(span.word.c_str())) {
    library.GetSynonyms(span.word.c_str(), state.menuList);
    kind = kSynonymMenuKind;
    header = SynonymMenuHeader(state.menuList);
  } else {
    library.GetSuggestions(span.word.c_str(), state.menuList);
    kind = kSuggestionMenuKind;
    header = SuggestionMenuHeader(span.word, state.menuList);
  }
  // The menu opens where the button went down.
  POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(box, &at);
  ShowListMenu(kind, state.menuList, GetParent(box), at.x, at.y, header);
  return 1;
}

void OnSynonym(EditorContext& editor, const EditorCommandCall& call) {
  // The synonym joins the keywords at the end; the word itself stays.
  HWND box = KeywordBox(editor);
  const std::string* synonym = ChosenEntry(editor.state.menuList, call.index);
  std::string result;
  if (synonym && AppendSynonym(BoxText(box), *synonym, result)) WriteWindowText(box, result.c_str());
}

void OnSuggestion(EditorContext& editor, const EditorCommandCall& call) {
  const std::string* suggestion = ChosenEntry(editor.state.menuList, call.index);
  if (!suggestion) return;
  OnCurrentWord(editor, [&](HWND box, const std::string& text, const WordSpan& span) {
    ReplaceWord(box, text, span, *suggestion);
  });
}

void OnDeleteWord(EditorContext& editor, const EditorCommandCall&) {
  OnCurrentWord(editor, [](HWND box, const std::string& text, const WordSpan& span) {
    ReplaceRange(box, text, static_cast<std::size_t>(span.first), DeleteWordEnd(text, span), std::string());
  });
}

void OnWordCase(EditorContext& editor, const EditorCommandCall& call) {
  OnCurrentWord(editor, [&](HWND box, const std::string& text, const WordSpan& span) {
    std::string word = span.word;
    if (kUtf8Text) {
      const CaseRules rules = UserCaseRules();
      word = call.id == kWordUpperCaseCommand ? UpperCaseText(word, rules) : LowerCaseText(word, rules);
    } else if (call.id == kWordUpperCaseCommand) {
      UpperCaseKeywords(&word[0]);
    } else {
      LowerCaseKeywords(&word[0]);
    }
    ReplaceWord(box, text, span, word);  // a word grown past the field's capacity is not put in
  });
}

void OnSelectAll(EditorContext& editor, const EditorCommandCall&) {
  SendMessageA(KeywordBox(editor), EM_SETSEL, 0, -1);
}

void OnAddToDictionary(EditorContext& editor, const EditorCommandCall&) {
  OnCurrentWord(editor, [&](HWND, const std::string&, const WordSpan& span) {
    editor.library.AddWordToDictionary(span.word.c_str());
  });
}
