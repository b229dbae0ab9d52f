// The language services of one load of the plug-in: the speller, the thesaurus and the user word
// list over the files of one base folder (the library root) and, after it, a machine-wide
// dictionary folder. The folders are given once, when the object is made; the files are loaded
// on first use (or by Load) and kept for the object's life.
//
// The 32-bit build has one language, en_US (spell_service.h), and the four operations behind
// KeywordLibrary's members of the same names each first lower-case (ASCII letters only) and trim
// the word. The Unicode builds have every installed language (language_catalog.h), the user
// choosing several, and trim the word only: the speller sees it as typed, and the user word list
// matches it without regard to case. Each chosen language is loaded when first needed and kept.
// The list operations append and never clear the caller's list.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "keyword_text.h"
#include "language_catalog.h"

class SpellService;

// Most suggestions offered for one word, from all languages together.
constexpr std::size_t kMaxSuggestions = 25;

// An installed language as the Languages menu shows it.
struct LanguageChoiceItem {
  std::string tag;
  std::string name;  // in the language itself
  bool chosen;
};

class LanguageServices {
 public:
  // base and machine end with the path separator; machine is empty for none.
  explicit LanguageServices(std::string base = std::string(), std::string machine = std::string());
  ~LanguageServices();
  LanguageServices(LanguageServices&&) noexcept;
  LanguageServices& operator=(LanguageServices&&) noexcept;

  // Unicode builds: a word is correct when a chosen language accepts it or the user word list
  // holds it, and also when none of the chosen languages' alphabets has a letter of it (a number,
  // another script); without any chosen speller nothing is correct.
  bool IsWordCorrect(const char* word);

  // Appends the speller's suggestions, split at "," and ";" and trimmed; nothing without a speller.
  // Unicode builds: those of every chosen language that finds the word wrong, the likeliest first
  // (the one whose alphabet lacks fewest of the word's letters; on a tie the menu's order), each
  // suggestion once, at most kMaxSuggestions in all.
  void GetSuggestions(const char* word, TextList& list);

  // Suggestions worked out ahead, so that a word menu finds them ready (Unicode builds; the 32-bit
  // build works them out when asked). QueueSuggestions replaces the words waiting;
  // PrepareNextSuggestion takes one step: it works out the suggestions of the next waiting word
  // in one chosen language that finds it wrong, or passes over a few words the chosen languages
  // or the user word list accept; false once nothing is left. Each language keeps the suggestions of the last
  // kKeptSuggestions words it was asked about, for GetSuggestions and this alike; the answers are
  // the same as when worked out on the spot.
  static constexpr std::size_t kKeptSuggestions = 1000;
  void QueueSuggestions(const TextList& words);
  bool PrepareNextSuggestion();

  // Appends, for each thesaurus meaning, a header (ListHeader(definition), list_header.h) and then
  // its synonyms (split at "," and ";" and trimmed; never a header); nothing when the word is not
  // in the thesaurus or there is none. Unicode builds: each chosen language's thesaurus is asked
  // for the word as typed, else in lower case; when more than one answers, each one's meanings
  // follow a header of the language's name.
  void GetSynonyms(const char* word, TextList& list);

  // Unicode builds: the installed languages in the order of their tags, and whether each is
  // chosen (read from the choice file, or the first default, once). Empty in the 32-bit build.
  std::vector<LanguageChoiceItem> Languages();
  // Chooses the language at index of Languages() or takes it out of the choice, and writes the
  // choice file whole; false, nothing changed, for an index outside the list or when the file
  // cannot be written.
  bool ToggleLanguage(std::size_t index);

  // Adds the word to the user word list (and its file) whether or not the speller knows it.
  bool AddWordToDictionary(const char* word);

  // Loads the files now when they are not loaded yet. A load that ends in an exception (the host
  // out of memory) keeps nothing, so the next use tries again.
  void Load();
  bool Loaded() const { return service_ != nullptr; }

  // The loaded speller and thesaurus (loaded first when they are not); in the Unicode builds those
  // of the first chosen language, or a service without either when none is chosen.
  SpellService& Service();

  const std::string& Base() const { return base_; }
  const std::string& Machine() const { return machine_; }

 private:
  struct Installed;
  void ReadCatalog();
  // The chosen languages in menu order, each loaded when first needed.
  std::vector<Installed*> Chosen();
  // The language's suggestions for word (normalised) as SpellService::SuggestWords gives them,
  // kept; null when it has no speller or accepts the word.
  const std::string* Suggestions(Installed& language, const std::string& word);

  std::string base_;
  std::string machine_;
  // 32-bit: the en_US speller, thesaurus and user word list. Unicode builds: the user word list.
  std::unique_ptr<SpellService> service_;
  std::vector<Installed> installed_;
  std::vector<std::string> choice_;  // the tags of the choice file, in its order
  bool catalogRead_ = false;
  std::vector<std::string> waiting_;  // QueueSuggestions' words, the next last
};
