#include "language_operations.h"

#include <cstddef>
#include <string>

#include "list_header.h"
#include "spell_service.h"

namespace language {

namespace {

std::string Normalised(const char* word) {
  std::string copy = word == nullptr ? "" : word;
  LowerCaseKeywords(copy.data());
  TrimKeyword(copy);
  return copy;
}

}  // namespace

bool IsWordCorrect(const char* base, const char* machine, const char* word) {
  const std::string normal = Normalised(word);
  return SharedSpellService(base, machine).CheckWord(normal.c_str());
}

void GetSuggestions(const char* base, const char* machine, const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  std::string buffer(kSuggestionTextSize, '\0');
  if (!SharedSpellService(base, machine).SuggestWords(normal.c_str(), buffer.data(), buffer.size())) return;
  SplitKeywords(buffer.c_str(), list, false, false);
}

void GetSynonyms(const char* base, const char* machine, const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  SpellService& service = SharedSpellService(base, machine);
  const int count = service.LookupMeanings(normal.c_str());
  std::string definition(kDefinitionSize, '\0');
  std::string synonyms(kSynonymTextSize, '\0');
  for (int i = 0; i < count; ++i) {
    if (!service.NextMeaning(definition.data(), definition.size(), synonyms.data(), synonyms.size())) break;
    list.push_back(ListHeader(definition.c_str()));
    const std::size_t first = list.size();
    SplitKeywords(synonyms.c_str(), list, false, false);
    // A synonym is a plain entry whatever the thesaurus file holds; one of marks only goes.
    for (std::size_t s = first; s < list.size();) {
      PlainListEntry(list[s]);
      if (list[s].empty()) {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(s));
      } else {
        ++s;
      }
    }
  }
}

bool AddWordToDictionary(const char* base, const char* machine, const char* word) {
  const std::string normal = Normalised(word);
  return SharedSpellService(base, machine).AddSavedWord(normal.c_str());
}

void LoadLanguageService(const char* base, const char* machine) {
  SharedSpellService(base, machine);
}

}  // namespace language
