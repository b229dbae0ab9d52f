#include "spell_walk.h"

#include <cstring>

void SpellWalk::Start(const char* text, std::size_t capacity) {
  words_.clear();
  SplitKeywords(text ? text : "", words_, true, false);
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
  std::string rebuilt;  // the rebuilt text with the change: its bytes and its characters must fit
  for (std::size_t i = 0; i < words_.size(); ++i) {
    const std::string& each = i == cursor_ ? word : words_[i];
    if (!each.empty()) rebuilt += each + "; ";
  }
  if (!FitsKeywordText(rebuilt, capacity_)) return false;
  words_[cursor_] = word;
  return true;
}

void SpellWalk::Advance() {
  if (!Finished()) ++cursor_;
}

std::string SpellWalk::Rebuild() const {
  std::string text;
  for (const std::string& word : words_) {
    if (!word.empty()) text += word + "; ";
  }
  return text;
}

bool StoreRebuiltText(const SpellWalk& walk, char* buffer, std::size_t capacity) {
  const std::string text = walk.Rebuild();
  if (!FitsKeywordText(text, capacity)) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}
