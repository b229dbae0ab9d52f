// The walk of the spell-check dialog over the words of a keyword text: split at ",", ";" and
// blanks, moved forward one word at a time, stopping at each word the speller does not accept,
// and rebuilt into a keyword text at the end. Platform-neutral; the dialog (spell_check_dialog.h)
// only moves its results between the walk and the controls.
#pragma once

#include <cstddef>
#include <string>

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
  // Starts over with the words of text, the cursor on the first.
  void Start(const char* text);

  // Moves from the cursor to the next word that checker rejects, filling suggestions (emptied
  // first) for it. A word whose only suggestion is itself, byte for byte, counts as correct.
  // True when stopped at such a word, false when the walk has passed the last word.
  bool NextMisspelledWord(WordChecker& checker, TextList& suggestions);

  bool Finished() const { return cursor_ >= words_.size(); }
  // The word under the cursor; empty when finished.
  const std::string& Current() const;

  // Replace and Delete change the word under the cursor; Advance moves past it. All three do
  // nothing once the walk is finished.
  void Replace(const std::string& word);
  void Delete() { Replace(std::string()); }
  void Advance();

  // The keyword text of the walk's words: every non-empty word followed by "; ".
  std::string Rebuild() const;

  const TextList& Words() const { return words_; }

 private:
  TextList words_;
  std::size_t cursor_ = 0;
};

// Copies the walk's rebuilt text into buffer (capacity bytes, NUL included). A text that would not
// fit (splitting at blanks makes a text longer) leaves buffer unchanged and gives false: no
// keyword is cut off.
bool StoreRebuiltText(const SpellWalk& walk, char* buffer, std::size_t capacity);
