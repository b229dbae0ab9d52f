#include "word_menu.h"

#include "editor_command_table.h"

bool IsWordSeparator(char c) {
  return c == ' ' || c == ';' || c == ',' || c == '\r' || c == '\n';
}

WordSpan FindWordAt(const std::string& text, int position) {
  WordSpan span;
  const int length = static_cast<int>(text.size());
  if (position < 0 || position > length) return span;
  // The caret after the last character stands on the word that ends there.
  const int at = position == length ? position - 1 : position;
  if (at < 0 || IsWordSeparator(text[static_cast<std::size_t>(at)])) return span;
  int first = at;
  while (first > 0 && !IsWordSeparator(text[static_cast<std::size_t>(first - 1)])) --first;
  int last = at;
  while (last + 1 < length && !IsWordSeparator(text[static_cast<std::size_t>(last + 1)])) ++last;
  span.first = first;
  span.last = last;
  span.word = text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
  return span;
}

TextList WordsOf(const std::string& text) {
  TextList words;
  for (int at = 0; at < static_cast<int>(text.size()); ++at) {
    const WordSpan span = FindWordAt(text, at);
    if (!span.HasWord()) continue;
    words.push_back(span.word);
    at = span.last;
  }
  return words;
}

const char* SynonymMenuHeader(const TextList& synonyms) {
  return synonyms.empty() ? kNoSynonymsHeader : kSynonymsHeader;
}

const char* SuggestionMenuHeader(const std::string& word, TextList& suggestions) {
  if (suggestions.empty()) return kWrongWordHeader;
  if (suggestions.size() == 1 && suggestions[0] == word) {
    suggestions.clear();
    return kNoSuggestionsHeader;
  }
  return suggestions.size() == 1 ? kSuggestionHeader : kSuggestionsHeader;
}

MenuRows LayoutWordMenu(int kind, const TextList& list, const std::string& header) {
  MenuRows rows;
  MenuRow first;
  first.text = header;
  // "Wrong Word!" and the headers of an empty list stand alone and carry no command.
  if (header != kWrongWordHeader && !list.empty()) {
    first.kind = MenuRow::kSubmenu;
    // Suggestions carry no headers; the synonyms one per meaning.
    if (kind == kSuggestionMenuKind) {
      AppendPlainItems(first.submenu, list, kSuggestionItems);
    } else {
      AppendListItems(first.submenu, list, kSynonymItems, false);
    }
  }
  rows.push_back(std::move(first));

  auto item = [&rows](int id) {
    MenuRow row;
    row.text = MenuText(id);
    row.id = id;
    rows.push_back(std::move(row));
  };
  MenuRow separator;
  separator.kind = MenuRow::kSeparator;
  rows.push_back(separator);
  if (kind == kSuggestionMenuKind) item(kAddToDictionaryCommand);
  item(kDeleteWordCommand);
  item(kWordUpperCaseCommand);
  item(kWordLowerCaseCommand);
  rows.push_back(separator);
  item(kSelectAllCommand);
  return rows;
}

bool AppendSynonym(const std::string& text, const std::string& synonym, std::string& result) {
  std::string joined = text;
  if (!text.empty()) {
    const char last = text.back();
    if (last == ';' || last == ',') {
      joined += ' ';
    } else if (last != ' ') {
      joined += "; ";
    }
  }
  joined += synonym;
  if (!FitsKeywordText(joined, kKeywordTextSize)) return false;
  result = std::move(joined);
  return true;
}

bool SpanHoldsWord(const std::string& text, const WordSpan& span) {
  if (!span.HasWord() || span.last < span.first) return false;
  const std::size_t first = static_cast<std::size_t>(span.first);
  const std::size_t length = static_cast<std::size_t>(span.last - span.first) + 1;
  return length == span.word.size() && first + length <= text.size() &&
         text.compare(first, length, span.word) == 0;
}

bool ReplacementFits(const std::string& text, const WordSpan& span, const std::string& replacement) {
  if (!span.HasWord() || span.first < 0 || static_cast<std::size_t>(span.first) > text.size()) return false;
  std::string replaced = text;
  replaced.replace(static_cast<std::size_t>(span.first), span.word.size(), replacement);
  return FitsKeywordText(replaced, kKeywordTextSize);
}

std::size_t DeleteWordEnd(const std::string& text, const WordSpan& span) {
  std::size_t end = static_cast<std::size_t>(span.last) + 1;
  for (int taken = 0; taken < 2 && end < text.size() && IsWordSeparator(text[end]); ++taken) ++end;
  return end;
}
