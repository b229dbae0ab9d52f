#include "language_operations.h"

#include <string>

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
    list.push_back("_" + std::string(definition.c_str()));
    SplitKeywords(synonyms.c_str(), list, false, false);
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
