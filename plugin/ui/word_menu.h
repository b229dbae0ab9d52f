// The word menu of the keyword box: which word a right click lands on, how the menu for it is
// laid out, and how its commands change the keyword text. Platform-neutral; the keyword box's
// window procedure and the command handlers sit in word_menu_win32.cpp.
#pragma once

#include <cstddef>
#include <string>

#include "keyword_text.h"
#include "list_menu.h"

// Words in the keyword box are separated by blanks, ";" and ","; a line break belongs to the
// word around it.
bool IsWordSeparator(char c);

// The word a position of the text falls on. An empty word (no word at that place) has no span:
// first and last are -1.
struct WordSpan {
  std::string word;
  int first = -1;  // position of the word's first character
  int last = -1;   // position of its last character

  bool HasWord() const { return first >= 0; }
};

// The word around position: none when the character there is a separator. position may be the
// text's length (the caret after the last character): the word ending there, if any. A position
// outside the text finds no word.
WordSpan FindWordAt(const std::string& text, int position);

// The words FindWordAt finds in text, in their order, as often as they stand there.
TextList WordsOf(const std::string& text);

// Texts of the word menu's first item.
constexpr const char kSynonymsHeader[] = "Synonyms";
constexpr const char kNoSynonymsHeader[] = "No Synonyms";
constexpr const char kWrongWordHeader[] = "Wrong Word!";
constexpr const char kNoSuggestionsHeader[] = "No Suggestions";
constexpr const char kSuggestionHeader[] = "Suggestion";
constexpr const char kSuggestionsHeader[] = "Suggestions";

// The header of a correct word's menu, by whether the thesaurus gave anything.
const char* SynonymMenuHeader(const TextList& synonyms);

// The header of a misspelled word's menu, by its suggestions. A lone suggestion that is the word
// itself, byte for byte, is no suggestion: the list is emptied.
const char* SuggestionMenuHeader(const std::string& word, TextList& suggestions);

// Rows of the word menu of kind kSynonymMenuKind or kSuggestionMenuKind: the header (a submenu of
// the list's entries, or a plain item without a command), then the commands on the word.
MenuRows LayoutWordMenu(int kind, const TextList& list, const std::string& header);

// Longest keyword text the box may hold, in characters: what the editor reads back on OK.
constexpr std::size_t kKeywordBoxLimit = kKeywordCapacity;

// text with synonym added as a new keyword at its end: after ";" or "," a blank and the synonym,
// after a blank the synonym alone, otherwise "; " and the synonym. False, result untouched, when
// the text would grow past kKeywordBoxLimit.
bool AppendSynonym(const std::string& text, const std::string& synonym, std::string& result);

// Whether span still holds its word in text, so a command can act on it.
bool SpanHoldsWord(const std::string& text, const WordSpan& span);

// Whether replacing span's word in text by replacement keeps the text within kKeywordBoxLimit.
bool ReplacementFits(const std::string& text, const WordSpan& span, const std::string& replacement);

// End (one past the last character) of what "Delete Word" removes, starting at the word's first
// character: the word and the separators (";", "," or blank) among the two characters right
// after it. The separator before the word stays. span must hold its word in text.
std::size_t DeleteWordEnd(const std::string& text, const WordSpan& span);
