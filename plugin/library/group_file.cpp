#include "group_file.h"

#include <algorithm>

#include "keyword_text.h"

namespace {

std::vector<std::string> Split(const std::string& text, char mark) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(mark, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

TextList KeywordsOf(const std::string& text) {
  TextList list;
  SplitKeywords(text.c_str(), list, false, false);
  return list;
}

SynonymList ParseSynonyms(const std::string& text) {
  SynonymList synonyms;
  for (const std::string& entry : Split(text, ';')) {
    std::vector<std::string> words = Split(entry, ',');
    if (words.size() < 2) continue;
    const std::string keyword = words.front();
    words.erase(words.begin());
    AddSynonyms(synonyms, keyword, words);
  }
  return synonyms;
}

std::string FormatSynonyms(const SynonymList& synonyms) {
  std::string text;
  for (const auto& [keyword, words] : synonyms) {
    if (words.empty()) continue;
    text += keyword;
    for (const std::string& word : words) text += "," + word;
    text += ";";
  }
  return text;
}

}  // namespace

const std::vector<std::string>* SynonymsOf(const SynonymList& synonyms, const std::string& keyword) {
  for (const auto& entry : synonyms)
    if (entry.first == keyword) return &entry.second;
  return nullptr;
}

std::size_t AddSynonyms(SynonymList& synonyms, const std::string& keyword,
                        const std::vector<std::string>& more) {
  auto found = std::find_if(synonyms.begin(), synonyms.end(),
                            [&](const auto& entry) { return entry.first == keyword; });
  if (found == synonyms.end()) {
    if (more.empty()) return 0;
    synonyms.emplace_back(keyword, std::vector<std::string>());
    found = synonyms.end() - 1;
  }
  std::size_t added = 0;
  for (const std::string& word : more) {
    if (std::find(found->second.begin(), found->second.end(), word) != found->second.end()) continue;
    found->second.push_back(word);
    ++added;
  }
  return added;
}

GroupFile ParseGroupFile(const EntryMap& entries) {
  GroupFile group;
  group.name = EntryValue(entries, "Name");
  group.keywords = KeywordsOf(EntryValue(entries, "Keywords"));
  group.synonyms = ParseSynonyms(EntryValue(entries, "Synonyms"));
  for (const std::string& part : Split(EntryValue(entries, "Path"), ';')) {
    const bool category = part.size() >= 2 && part.front() == '[' && part.back() == ']';
    group.path.push_back({category ? part.substr(1, part.size() - 2) : part, category});
  }
  for (const std::string& place : Split(EntryValue(entries, "Order"), ';')) {
    const std::size_t digits = place.find_first_not_of("0123456789");
    group.order.push_back(digits == std::string::npos && place.size() < 10 ? std::stoul(place) : 0);
  }
  return group;
}

EntryMap GroupFileEntries(const GroupFile& group) {
  EntryMap entries;
  auto set = [&entries](const char* key, const std::string& value) {
    if (value.empty())
      entries.erase(key);
    else
      entries[key] = value;
  };
  entries["Keywords"] = JoinKeywords(group.keywords);
  set("Synonyms", FormatSynonyms(group.synonyms));
  set("Name", group.name);
  std::string path, order;
  for (const GroupPathPart& part : group.path)
    path += (path.empty() ? "" : ";") + (part.category ? "[" + part.text + "]" : part.text);
  for (std::size_t place : group.order) order += (order.empty() ? "" : ";") + std::to_string(place);
  set("Path", path);
  set("Order", order);
  return entries;
}

std::string GroupTextWithSynonyms(const EntryMap& entries) {
  const std::string keywords = EntryValue(entries, "Keywords");
  const SynonymList synonyms = ParseSynonyms(EntryValue(entries, "Synonyms"));
  if (synonyms.empty()) return keywords;
  TextList words;
  for (const std::string& keyword : KeywordsOf(keywords)) {
    words.push_back(keyword);
    if (const std::vector<std::string>* more = SynonymsOf(synonyms, keyword))
      words.insert(words.end(), more->begin(), more->end());
  }
  return JoinKeywords(words);
}

EntryMap SavedGroupEntries(const EntryMap& old, const std::string& keywordText) {
  const SynonymList had = ParseSynonyms(EntryValue(old, "Synonyms"));
  GroupFile group = ParseGroupFile(old);
  if (had.empty()) {
    // The keyword text as it was typed, as ever.
    EntryMap entries = GroupFileEntries(group);
    entries["Keywords"] = keywordText;
    return entries;
  }
  group.synonyms.clear();
  std::vector<std::string> keywords;
  const std::vector<std::string>* run = nullptr;  // the synonyms the words now read may be
  for (const std::string& word : KeywordsOf(keywordText)) {
    if (run != nullptr && std::find(run->begin(), run->end(), word) != run->end()) continue;
    keywords.push_back(word);
    run = SynonymsOf(had, word);
    if (run != nullptr) AddSynonyms(group.synonyms, word, *run);
  }
  group.keywords = keywords;
  return GroupFileEntries(group);
}
