#include "language_services.h"

#include <algorithm>
#include <cstring>
#include <cstddef>
#include <map>
#include <string>
#include <utility>

#include "file_system.h"
#include "language_names.h"
#include "list_header.h"
#include "plugin_text.h"
#include "spell_service.h"
#include "unicode_case.h"
#include "utf8_text.h"

namespace {

// The word as the speller gets it: trimmed, and in the 32-bit build lower-cased (ASCII letters).
std::string Normalised(const char* word) {
  std::string copy = word == nullptr ? "" : word;
  if (!kUtf8Text) LowerCaseKeywords(copy.data());
  TrimKeyword(copy);
  return copy;
}

// Appends the synonyms of each meaning of the last lookup, each meaning after its header.
void AppendMeanings(SpellService& service, int count, TextList& list) {
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

}  // namespace

struct LanguageServices::Installed {
  LanguageFiles files;
  std::string name;
  bool chosen = false;
  std::unique_ptr<SpellService> service;         // once loaded
  std::map<std::string, std::string> suggested;  // word to SuggestWords' text
};

LanguageServices::LanguageServices(std::string base, std::string machine)
    : base_(std::move(base)), machine_(std::move(machine)) {}

LanguageServices::~LanguageServices() = default;
LanguageServices::LanguageServices(LanguageServices&&) noexcept = default;
LanguageServices& LanguageServices::operator=(LanguageServices&&) noexcept = default;

void LanguageServices::ReadCatalog() {
  if (catalogRead_ || !kUtf8Text) return;
  std::vector<Installed> installed;
  const std::vector<LanguageFiles> found = FindLanguages(base_, machine_);
  std::string text;
  std::vector<std::string> choice = ReadTextFile(base_ + kLanguageChoiceFile, text)
                                        ? ParseLanguageChoice(text)
                                        : DefaultLanguages(found, DisplayLanguages());
  for (const LanguageFiles& files : found) {
    Installed language;
    language.files = files;
    language.chosen = std::find(choice.begin(), choice.end(), files.tag) != choice.end();
    installed.push_back(std::move(language));
  }
  installed_ = std::move(installed);
  choice_ = std::move(choice);
  catalogRead_ = true;
}

void LanguageServices::Load() {
  if (!service_) {
    // Kept only once loaded: a half-made service's missing word list would be overwritten by the
    // next added word.
    auto service = std::make_unique<SpellService>();
    if (kUtf8Text)
      service->UseWordList(base_.c_str());
    else
      service->LoadDictionaries(base_.c_str(), machine_.c_str());
    service_ = std::move(service);
  }
  Chosen();
}

std::vector<LanguageServices::Installed*> LanguageServices::Chosen() {
  std::vector<Installed*> chosen;
  ReadCatalog();
  for (Installed& language : installed_) {
    if (!language.chosen) continue;
    if (!language.service) {
      LanguageFiles files = language.files;
      UnpackLanguageFiles(base_, files);
      auto service = std::make_unique<SpellService>();
      service->LoadLanguage(files.aff, files.dic, files.idx, files.dat);
      language.service = std::move(service);
    }
    chosen.push_back(&language);
  }
  return chosen;
}

const std::string* LanguageServices::Suggestions(Installed& language, const std::string& word) {
  SpellService& service = *language.service;
  if (!service.HasSpeller() || service.CheckWord(word.c_str())) return nullptr;
  auto kept = language.suggested.find(word);
  if (kept != language.suggested.end()) return &kept->second;
  std::string buffer(kSuggestionTextSize, '\0');
  if (!service.SuggestWords(word.c_str(), buffer.data(), buffer.size())) return nullptr;
  buffer.resize(std::strlen(buffer.c_str()));
  if (language.suggested.size() >= kKeptSuggestions) language.suggested.clear();
  return &language.suggested.emplace(word, std::move(buffer)).first->second;
}

SpellService& LanguageServices::Service() {
  Load();
  if (kUtf8Text) {
    const std::vector<Installed*> chosen = Chosen();
    if (!chosen.empty()) return *chosen.front()->service;
  }
  return *service_;
}

bool LanguageServices::IsWordCorrect(const char* word) {
  const std::string normal = Normalised(word);
  if (!kUtf8Text) return Service().CheckWord(normal.c_str());
  Load();
  bool speller = false, letters = false;
  for (Installed* installed : Chosen()) {
    SpellService* language = installed->service.get();
    if (!language->HasSpeller()) continue;
    speller = true;
    if (language->CheckWord(normal.c_str())) return true;
    letters = letters || language->HasLetterOf(normal);
  }
  // The empty word, one without a letter of the chosen alphabets and a word of the user's pass.
  return speller && (normal.empty() || !letters || service_->IsSavedWord(normal.c_str()));
}

void LanguageServices::GetSuggestions(const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  std::string buffer(kSuggestionTextSize, '\0');
  if (!kUtf8Text) {
    if (!Service().SuggestWords(normal.c_str(), buffer.data(), buffer.size())) return;
    SplitKeywords(buffer.c_str(), list, false, false);
    return;
  }
  Load();
  // The likeliest language first: the one whose alphabet lacks fewest of the word's letters.
  std::vector<Installed*> languages = Chosen();
  std::stable_sort(languages.begin(), languages.end(), [&](Installed* a, Installed* b) {
    return a->service->LettersMissing(normal) < b->service->LettersMissing(normal);
  });
  TextList found;
  for (Installed* language : languages) {
    const std::string* text = Suggestions(*language, normal);
    if (!text) continue;
    TextList suggestions;
    SplitKeywords(text->c_str(), suggestions, false, false);
    for (const std::string& suggestion : suggestions) {
      if (found.size() == kMaxSuggestions) break;
      if (std::find(found.begin(), found.end(), suggestion) == found.end()) found.push_back(suggestion);
    }
  }
  list.insert(list.end(), found.begin(), found.end());
}

void LanguageServices::QueueSuggestions(const TextList& words) {
  if (!kUtf8Text) return;
  waiting_.assign(words.rbegin(), words.rend());
}

bool LanguageServices::PrepareNextSuggestion() {
  // A step is one language's search, or passing over a few words: never long for the user.
  constexpr int kWordsPerStep = 16;
  for (int passed = 0; passed < kWordsPerStep && !waiting_.empty(); ++passed) {
    const std::string normal = Normalised(waiting_.back().c_str());
    if (!normal.empty() && !IsWordCorrect(normal.c_str())) {
      for (Installed* language : Chosen()) {
        if (language->suggested.count(normal) == 0 && Suggestions(*language, normal)) return true;
      }
    }
    waiting_.pop_back();
  }
  return !waiting_.empty();
}

void LanguageServices::GetSynonyms(const char* word, TextList& list) {
  const std::string normal = Normalised(word);
  if (!kUtf8Text) {
    SpellService& service = Service();
    AppendMeanings(service, service.LookupMeanings(normal.c_str()), list);
    return;
  }
  Load();
  std::vector<std::pair<std::string, TextList>> answers;
  ReadCatalog();
  for (Installed& language : installed_) {
    if (!language.chosen || !language.service) continue;
    SpellService& service = *language.service;
    int count = service.LookupMeanings(normal.c_str());
    if (count == 0 && LowerCaseText(normal) != normal)
      count = service.LookupMeanings(LowerCaseText(normal).c_str());
    TextList meanings;
    AppendMeanings(service, count, meanings);
    if (meanings.empty()) continue;
    if (language.name.empty()) language.name = NativeLanguageName(language.files.tag);
    answers.emplace_back(language.name, std::move(meanings));
  }
  for (auto& [name, meanings] : answers) {
    if (answers.size() > 1) list.push_back(ListHeader(name));
    list.insert(list.end(), meanings.begin(), meanings.end());
  }
}

bool LanguageServices::AddWordToDictionary(const char* word) {
  const std::string normal = Normalised(word);
  Load();
  return service_->AddSavedWord(normal.c_str());
}

std::vector<LanguageChoiceItem> LanguageServices::Languages() {
  std::vector<LanguageChoiceItem> items;
  ReadCatalog();
  for (Installed& language : installed_) {
    if (language.name.empty()) language.name = NativeLanguageName(language.files.tag);
    items.push_back({language.files.tag, language.name, language.chosen});
  }
  return items;
}

bool LanguageServices::ToggleLanguage(std::size_t index) {
  ReadCatalog();
  if (index >= installed_.size()) return false;
  Installed& language = installed_[index];
  std::vector<std::string> choice = choice_;
  if (language.chosen)
    choice.erase(std::remove(choice.begin(), choice.end(), language.files.tag), choice.end());
  else
    choice.push_back(language.files.tag);
  if (!ReplaceTextFile(base_ + kLanguageChoiceFile, FormatLanguageChoice(choice))) return false;
  choice_ = std::move(choice);
  language.chosen = !language.chosen;
  return true;
}
