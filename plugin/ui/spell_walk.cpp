#include "spell_walk.h"

#include <cstring>

#include "lead_bytes.h"

void SpellWalk::Start(const char* text, std::size_t capacity) {
  keywords_.clear();
  words_.clear();
  keywordOf_.clear();
  TextList pieces;
  SplitKeywords(text ? text : "", pieces, false, false);
  for (std::string& piece : pieces) {
    // A piece is trimmed: it starts and ends with a word.
    Keyword keyword;
    keyword.firstWord = words_.size();
    std::string gap;
    for (const char* p = piece.c_str(); *p != '\0';) {
      if (*p == ' ') {
        gap += *p++;
        continue;
      }
      const char* word = p;
      while (*p != '\0' && *p != ' ') p += CharacterBytes(p);
      if (words_.size() > keyword.firstWord) keyword.gaps.push_back(gap);
      gap.clear();
      words_.emplace_back(word, p);
      keywordOf_.push_back(keywords_.size());
    }
    keyword.text = std::move(piece);
    keywords_.push_back(std::move(keyword));
  }
  cursor_ = 0;
  capacity_ = capacity;
}

bool SpellWalk::NextMisspelledWord(WordChecker& checker, TextList& suggestions) {
  for (; !Finished(); ++cursor_) {
    suggestions.clear();
    const std::string& word = words_[cursor_];
    if (checker.IsWordCorrect(word.c_str())) continue;
    checker.GetSuggestions(word.c_str(), suggestions);
    if (suggestions.size() == 1 && suggestions[0] == word) continue;
    return true;
  }
  suggestions.clear();
  return false;
}

const std::string& SpellWalk::Current() const {
  static const std::string kNone;
  return Finished() ? kNone : words_[cursor_];
}

bool SpellWalk::Replace(const std::string& word) {
  if (Finished()) return false;
  Keyword& keyword = keywords_[keywordOf_[cursor_]];
  std::string before = word;
  words_[cursor_].swap(before);
  const bool changed = keyword.changed;
  keyword.changed = true;
  if (FitsKeywordText(Rebuild(), capacity_)) return true;
  words_[cursor_].swap(before);
  keyword.changed = changed;
  return false;
}

void SpellWalk::Advance() {
  if (!Finished()) ++cursor_;
}

std::string SpellWalk::RebuildKeyword(const Keyword& keyword) const {
  if (!keyword.changed) return keyword.text;
  std::string text;
  for (std::size_t i = 0; i <= keyword.gaps.size(); ++i) {
    const std::string& word = words_[keyword.firstWord + i];
    if (word.empty()) continue;
    if (!text.empty()) text += keyword.gaps[i - 1];
    text += word;
  }
  return text;
}

std::string SpellWalk::Rebuild() const {
  std::string text;
  for (const Keyword& keyword : keywords_) {
    const std::string rebuilt = RebuildKeyword(keyword);
    if (!rebuilt.empty()) text += rebuilt + "; ";
  }
  return text;
}

bool StoreRebuiltText(const SpellWalk& walk, char* buffer, std::size_t capacity) {
  const std::string text = walk.Rebuild();
  if (!FitsKeywordText(text, capacity)) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}
