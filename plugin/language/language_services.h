// The language services of one load of the plug-in: the speller, the thesaurus and the user word
// list over the files of one base folder (the library root) and, after it, a machine-wide
// dictionary folder. The folders are given once, when the object is made; the files are loaded
// on first use (or by Load) and kept for the object's life.
//
// The four operations behind KeywordLibrary's members of the same names each first lower-case
// (ASCII letters only) and trim the word. The list operations append and never clear the
// caller's list.
#pragma once

#include <memory>
#include <string>

#include "keyword_text.h"

class SpellService;

class LanguageServices {
 public:
  // base and machine end with the path separator; machine is empty for none.
  explicit LanguageServices(std::string base = std::string(), std::string machine = std::string());
  ~LanguageServices();
  LanguageServices(LanguageServices&&) noexcept;
  LanguageServices& operator=(LanguageServices&&) noexcept;

  bool IsWordCorrect(const char* word);

  // Appends the speller's suggestions, split at "," and ";" and trimmed; nothing without a speller.
  void GetSuggestions(const char* word, TextList& list);

  // Appends, for each thesaurus meaning, a header (ListHeader(definition), list_header.h) and then
  // its synonyms (split at "," and ";" and trimmed; never a header); nothing when the word is not
  // in the thesaurus or there is none.
  void GetSynonyms(const char* word, TextList& list);

  // Adds the word to the user word list (and its file) whether or not the speller knows it.
  bool AddWordToDictionary(const char* word);

  // Loads the files now when they are not loaded yet. A load that ends in an exception (the host
  // out of memory) keeps nothing, so the next use tries again.
  void Load();
  bool Loaded() const { return service_ != nullptr; }

  // The loaded speller and thesaurus (loaded first when they are not).
  SpellService& Service();

  const std::string& Base() const { return base_; }
  const std::string& Machine() const { return machine_; }

 private:
  std::string base_;
  std::string machine_;
  std::unique_ptr<SpellService> service_;
};
