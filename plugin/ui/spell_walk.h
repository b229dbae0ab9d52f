// The walk of the spell-check dialog over the words of a keyword text: the keywords (split as the
// keyword box splits them) and their words (split at blanks), moved forward one word at a time,
// stopping at each word the speller does not accept, and rebuilt into a keyword text at the end.
// Platform-neutral; the dialog (spell_check_dialog.h) only moves its results between the walk and
// the controls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "keyword_text.h"

// The language operations the walk needs (the keyword library's, in the plug-in).
class WordChecker {
 public:
  virtual ~WordChecker() = default;
  virtual bool IsWordCorrect(const char* word) = 0;
  // Appends the suggestions for word to list.
  virtual void GetSuggestions(const char* word, TextList& list) = 0;
};

class SpellWalk {
 public:
  // Starts over with the words of text, the cursor on the first. The rebuilt text is to go into a
  // buffer of capacity bytes (NUL included).
  void Start(const char* text, std::size_t capacity = kKeywordTextSize);

  // Moves from the cursor to the next word that checker rejects, filling suggestions (emptied
  // first) for it. A word whose only suggestion is itself, byte for byte, counts as correct.
  // True when stopped at such a word, false when the walk has passed the last word.
  bool NextMisspelledWord(WordChecker& checker, TextList& suggestions);

  bool Finished() const { return cursor_ >= words_.size(); }
  // The word under the cursor; empty when finished.
  const std::string& Current() const;

  // Replace and Delete change the word under the cursor and give true. A change after which the
  // rebuilt text would not fit the capacity is refused (false, the word stays): refused at once,
  // it never takes the changes accepted before it down with it at the end. Advance moves past
  // the word. All three do nothing once the walk is finished.
  bool Replace(const std::string& word);
  bool Delete() { return Replace(std::string()); }
  void Advance();

  // The keyword text of the walk's keywords, every one followed by "; ". A keyword none of whose
  // words was changed comes back as it was, blanks and all; in one that was changed each word
  // keeps the blanks before it, a deleted word goes with the blanks before it (after it, for the
  // first), and a keyword whose words were all deleted goes.
  std::string Rebuild() const;

  const TextList& Words() const { return words_; }

 private:
  // A keyword and the blanks between its words (gaps[i] precedes its word i + 1).
  struct Keyword {
    std::string text;
    TextList gaps;
    std::size_t firstWord = 0;
    bool changed = false;
  };
  std::string RebuildKeyword(const Keyword& keyword) const;

  std::vector<Keyword> keywords_;
  TextList words_;
  std::vector<std::size_t> keywordOf_;  // the keyword of each word
  std::size_t cursor_ = 0;
  std::size_t capacity_ = kKeywordTextSize;
};

// Copies the walk's rebuilt text into buffer (capacity bytes, NUL included). A text that would not
// fit leaves buffer unchanged and gives false: no keyword is cut off. With the capacity the walk
// started with, that happens only when no change was made (the produced form, "a; b; ", can be
// longer than the text typed, "a,b").
bool StoreRebuiltText(const SpellWalk& walk, char* buffer, std::size_t capacity);
