#include "language_services.h"

#include <cstddef>
#include <string>
#include <utility>

#include "list_header.h"
#include "spell_service.h"

namespace {

std::string Normalised(const char* word) {
  std::string copy = word == nullptr ? "" : word;
  LowerCaseKeywords(copy.data());
  TrimKeyword(copy);
  return copy;
}

}  // namespace

LanguageServices::LanguageServices(std::string base, std::string machine)
    : base_(std::move(base)), machine_(std::move(machine)) {}

LanguageServices::~LanguageServices() = default;
LanguageServices::LanguageServices(LanguageServices&&) noexcept = default;
LanguageServices& LanguageServices::operator=(LanguageServices&&) noexcept = default;

void LanguageServices::Load() {
  if (service_) return;
  // Kept only once loaded: a half-made service's missing word list would be overwritten by the
  // next added word.
  auto service = std::make_unique<SpellService>();
  service->LoadDictionaries(base_.c_str(), machine_.c_str());
  service_ = std::move(service);
}

SpellService& LanguageServices::Service() {
  Load();
  return *service_;
}

bool LanguageServices::IsWordCorrect(const char* word) {
  const std::string normal = Normalised(word);
  return Service().CheckWord(normal.c_str());
}

void LanguageServices::GetSuggestions(const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  std::string buffer(kSuggestionTextSize, '\0');
  if (!Service().SuggestWords(normal.c_str(), buffer.data(), buffer.size())) return;
  SplitKeywords(buffer.c_str(), list, false, false);
}

void LanguageServices::GetSynonyms(const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  SpellService& service = Service();
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

bool LanguageServices::AddWordToDictionary(const char* word) {
  const std::string normal = Normalised(word);
  return Service().AddSavedWord(normal.c_str());
}
