// The speller (Hunspell, used through its original MySpell interface), the thesaurus (MyThes)
// and the user word list, over the en_US files of one base folder.
//
// Words come in and results go out in the plug-in's text (UTF-8 in the 64-bit builds, the ANSI
// code page in the 32-bit build). Each file gets its words in the encoding it declares, converted
// on the way in and its results on the way out (word_encoding.h): suggestions and synonyms the
// plug-in's text cannot represent are left out, and such characters in a definition show as the
// default character. A word with no form in a file's encoding is in none of its entries.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "keyword_text.h"
#include "word_encoding.h"

class Hunspell;
class MyThes;
struct mentry;

// Buffer sizes of the service's results, terminating NUL included.
constexpr std::size_t kSuggestionTextSize = 10000;
constexpr std::size_t kDefinitionSize = 100;
constexpr std::size_t kSynonymTextSize = 10000;
// Words of this many bytes or more the speller neither accepts nor offers suggestions for.
constexpr std::size_t kMaxWordLength = 100;

class SpellService {
 public:
  SpellService();
  ~SpellService();
  SpellService(const SpellService&) = delete;
  SpellService& operator=(const SpellService&) = delete;

  // Takes the speller from the first folder holding both en_US.aff and en_US.dic (base, then
  // base + "dic", then machine and machine + "dic" when a machine-wide folder is given), the
  // thesaurus likewise from en_US.idx and en_US.dat, and reads the user word list from base +
  // "SavedWords.dat" only. Both folders end with the path separator. Only existence is tested:
  // files the libraries cannot read give a speller or thesaurus that knows less.
  bool LoadDictionaries(const char* base, const char* machine = nullptr);

  // The Unicode builds' way, one language at a time: the speller from aff and dic and the
  // thesaurus from idx and dat (a pair with an empty path is none), and the speller's alphabet
  // from the .aff's TRY and WORDCHARS lines. No user word list.
  void LoadLanguage(const std::string& aff, const std::string& dic, const std::string& idx,
                    const std::string& dat);

  // The speller's alphabet: its letters lower-cased (digits, signs and combining marks are none;
  // a dictionary with any ASCII letter has them all; one whose .aff names none has every letter).
  // Whether word (the plug-in's text) has a letter of it, and how many of its letters it lacks.
  bool HasLetterOf(const std::string& word) const;
  std::size_t LettersMissing(const std::string& word) const;

  bool HasSpeller() const { return speller_ != nullptr; }
  bool HasThesaurus() const { return thesaurus_ != nullptr; }

  // False without a speller, even for words of the user word list.
  bool CheckWord(const char* word) const;

  // Fills buffer with every suggestion followed by "," (cut after the last whole suggestion that
  // fits). False, buffer untouched, without a speller.
  bool SuggestWords(const char* word, char* buffer, std::size_t capacity) const;

  // Starts a walk over the thesaurus meanings of word; returns how many there are.
  int LookupMeanings(const char* word);

  // Hands out the next meaning of the last lookup: its definition (cut to fit) and its synonyms,
  // each followed by ",", with a synonym that repeats the one right before it left out (the
  // text is cut after the last whole synonym that fits). False when none is left.
  bool NextMeaning(char* definition, std::size_t definitionCapacity, char* synonyms,
                   std::size_t synonymsCapacity);

  // In the Unicode builds a word matches without regard to case (CaselessKey), else byte for byte.
  bool IsSavedWord(const char* word) const;
  // Adds a new word to the list and rewrites the file; a word already there changes nothing.
  bool AddSavedWord(const char* word);
  void LoadSavedWords(const char* folder);
  // Reads the user word list of folder and keeps it there (a service that has no speller of its own).
  void UseWordList(const char* folder);
  void SaveSavedWords(const char* folder) const;

 private:
  void ReleaseMeanings();

  std::unique_ptr<Hunspell> speller_;
  std::unique_ptr<MyThes> thesaurus_;
  WordEncoding spellerEncoding_{nullptr};
  WordEncoding thesaurusEncoding_{nullptr};
  mentry* meanings_ = nullptr;
  int meaningCount_ = 0;
  int meaningIndex_ = 0;
  std::string base_;
  TextList savedWords_;
  std::u32string alphabet_;  // sorted
};
