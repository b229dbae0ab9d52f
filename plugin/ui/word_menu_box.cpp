#include "word_menu_box.h"

#include <windowsx.h>

#include <string>

#include "command_routes.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "popup_menu.h"
#include "word_menu.h"

namespace {

// The keyword box's text, at most the length the editor keeps.
std::string BoxText(HWND box) {
  std::string text(kKeywordBoxLimit + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(box, &text[0], static_cast<int>(text.size()))));
  return text;
}

WordSpan CurrentSpan() {
  const EditorState& editor = Editor();
  WordSpan span;
  span.word = editor.currentWord;
  span.first = editor.wordFirst;
  span.last = editor.wordLast;
  return span;
}

void KeepSpan(const WordSpan& span) {
  EditorState& editor = Editor();
  editor.currentWord = span.word;
  editor.wordFirst = span.first;
  editor.wordLast = span.last;
}

// Replaces [first, end) of the box's text as an undoable edit.
void ReplaceRange(HWND box, std::size_t first, std::size_t end, const std::string& replacement) {
  SendMessageA(box, EM_SETSEL, first, static_cast<LPARAM>(end));
  SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str()));
}

void ReplaceWord(HWND box, const std::string& text, const WordSpan& span, const std::string& replacement) {
  if (!ReplacementFits(text, span, replacement.size())) return;
  ReplaceRange(box, static_cast<std::size_t>(span.first), static_cast<std::size_t>(span.last) + 1,
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

}  // namespace

LRESULT OpenWordMenu(HWND box, WPARAM wParam, LPARAM lParam) {
  EditorState& editor = Editor();
  // The edit control's own double-click selection marks the word under the pointer; the button
  // going up ends the control's selection tracking, which would otherwise follow the mouse.
  SendMessageA(box, WM_LBUTTONDBLCLK, wParam, lParam);
  SendMessageA(box, WM_LBUTTONUP, wParam, lParam);
  editor.menuList.clear();
  // Whatever happens next, no command may act on the word of an earlier opening.
  KeepSpan(WordSpan());
  const std::string text = BoxText(box);
  if (text.empty()) return CallWindowProcA(editor.keywordBoxProc, box, WM_RBUTTONDOWN, wParam, lParam);

  // The word is the one under the pointer, found at the clicked character itself: where the
  // double-click selection starts depends on the edit control (it can be the caret's word, or
  // a neighbour joined by ";" or ",", which are no word breaks to it).
  const WordSpan span = FindWordAt(text, CharacterAt(box, lParam));
  KeepSpan(span);

  const KeywordLibrary& library = ModuleKeywordLibrary();
  int kind;
  const char* header;
  if (library.IsWordCorrect(span.word.c_str())) {
    library.GetSynonyms(span.word.c_str(), editor.menuList);
    kind = kSynonymMenuKind;
    header = SynonymMenuHeader(editor.menuList);
  } else {
    library.GetSuggestions(span.word.c_str(), editor.menuList);
    kind = kSuggestionMenuKind;
    header = SuggestionMenuHeader(span.word, editor.menuList);
  }
  // The menu opens where the button went down.
  POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(box, &at);
  ShowListMenu(kind, editor.menuList, GetParent(box), at.x, at.y, header);
  return 1;
}

void RunWordCommand(HWND editor, int id) {
  HWND box = GetDlgItem(editor, IDC_KEYWORDS);
  const std::string text = BoxText(box);
  const TextList& list = Editor().menuList;

  if (id >= kSynonymMenuKind && id <= CommandRangeLast(kSynonymMenuKind)) {
    // The synonym joins the keywords at the end; the word itself stays.
    const std::string* synonym = ChosenEntry(list, kSynonymMenuKind, id);
    std::string result;
    if (synonym && AppendSynonym(text, *synonym, result)) SetWindowTextA(box, result.c_str());
    return;
  }
  if (id == kSelectAllCommand) {
    SendMessageA(box, EM_SETSEL, 0, -1);
    return;
  }

  const WordSpan span = CurrentSpan();
  if (!SpanHoldsWord(text, span)) return;
  if (id >= kSuggestionMenuKind && id <= CommandRangeLast(kSuggestionMenuKind)) {
    if (const std::string* suggestion = ChosenEntry(list, kSuggestionMenuKind, id)) {
      ReplaceWord(box, text, span, *suggestion);
    }
    return;
  }
  switch (id) {
    case kDeleteWordCommand:
      ReplaceRange(box, static_cast<std::size_t>(span.first), DeleteWordEnd(text, span), std::string());
      break;
    case kWordUpperCaseCommand:
    case kWordLowerCaseCommand: {
      std::string word = span.word;
      if (id == kWordUpperCaseCommand) {
        UpperCaseKeywords(&word[0]);
      } else {
        LowerCaseKeywords(&word[0]);
      }
      ReplaceWord(box, text, span, word);
      break;
    }
    case kAddToDictionaryCommand:
      ModuleKeywordLibrary().AddWordToDictionary(span.word.c_str());
      break;
  }
}
