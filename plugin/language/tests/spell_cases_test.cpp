// The speller and the thesaurus over the test cases in cases/, one service of its own per case.
// A case NAME is a set of files: NAME.aff and NAME.dic (the speller), NAME.idx and NAME.dat (the
// thesaurus), and what the service answers from them:
//   NAME.good   words it accepts, one a line;
//   NAME.wrong  words it rejects, one a line;
//   NAME.sug    for each line of NAME.wrong, its suggestions in order, separated by ", ";
//   NAME.syn    for each meaning of a word, "word<TAB>definition<TAB>synonym text" (each synonym
//               followed by ","), in order; a word alone on its line has no meaning.
// Words and answers are written in UTF-8 and given to the service in the plug-in's text; in the
// 32-bit build a word its ANSI code page cannot hold is skipped, and such a suggestion or synonym
// is expected to be left out, as the service leaves it out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "spell_service.h"
#include "temp_folder.h"
#include "word_encoding.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kCases = LANGUAGE_CASES;

// The case's file with the given extension, one line per entry; none when it is missing.
Lines ReadLines(const std::string& name, const char* extension) {
  Lines lines;
  std::ifstream in(kCases / (name + extension), std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

Lines Split(const std::string& text, const std::string& separator) {
  Lines items;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t to = text.find(separator, from);
    if (to == std::string::npos) to = text.size();
    items.push_back(text.substr(from, to - from));
    from = to + separator.size();
  }
  return items;
}

// text in the plug-in's text; false when it cannot hold it.
bool InPluginText(const std::string& text, std::string& out) {
  return WordEncoding("UTF-8").FromFile(text, out);
}

// The items of text that the plug-in's text can hold, each followed by ",".
std::string ExpectedList(const std::string& text, const std::string& separator) {
  std::string list;
  for (const std::string& item : Split(text, separator)) {
    std::string converted;
    if (InPluginText(item, converted)) list += converted + ",";
  }
  return list;
}

// The cases' names; none when the folder cannot be read (GoogleTest then reports a suite without
// cases as a failure).
Lines CaseNames() {
  Lines names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(kCases, error)) {
    const fs::path file = entry.path();
    if (file.extension() == ".good" || file.extension() == ".syn") names.push_back(file.stem().string());
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

class SpellCaseTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    for (const char* extension : {".aff", ".dic", ".idx", ".dat"}) {
      const fs::path file = kCases / (GetParam() + extension);
      if (fs::exists(file)) fs::copy_file(file, fs::path(dir.Path()) / (std::string("en_US") + extension));
    }
    ASSERT_TRUE(service.LoadDictionaries(dir.Path().c_str()));
  }

  TempFolder dir;
  SpellService service;
};

TEST_P(SpellCaseTest, AnswersAsTheCaseSays) {
  const std::string name = GetParam();
  for (const std::string& word : ReadLines(name, ".good")) {
    std::string text;
    if (InPluginText(word, text)) {
      EXPECT_TRUE(service.CheckWord(text.c_str())) << word;
    }
  }
  const Lines wrong = ReadLines(name, ".wrong");
  const Lines suggestions = ReadLines(name, ".sug");
  ASSERT_TRUE(suggestions.empty() || suggestions.size() == wrong.size()) << name << ".sug";
  for (std::size_t i = 0; i < wrong.size(); ++i) {
    std::string text;
    if (!InPluginText(wrong[i], text)) continue;
    EXPECT_FALSE(service.CheckWord(text.c_str())) << wrong[i];
    if (suggestions.empty()) continue;
    char buffer[kSuggestionTextSize];
    ASSERT_TRUE(service.SuggestWords(text.c_str(), buffer, sizeof buffer));
    EXPECT_EQ(buffer, ExpectedList(suggestions[i], ", ")) << wrong[i];
  }

  const Lines meanings = ReadLines(name, ".syn");
  for (std::size_t i = 0; i < meanings.size();) {
    const std::string word = Split(meanings[i], "\t")[0];
    std::size_t end = i;
    while (end < meanings.size() && Split(meanings[end], "\t")[0] == word) ++end;
    const bool none = Split(meanings[i], "\t").size() == 1;
    std::string text;
    if (!InPluginText(word, text)) {
      i = end;
      continue;
    }
    ASSERT_EQ(service.LookupMeanings(text.c_str()), none ? 0 : static_cast<int>(end - i)) << word;
    char definition[kDefinitionSize];
    char synonyms[kSynonymTextSize];
    for (; !none && i < end; ++i) {
      const Lines parts = Split(meanings[i], "\t");
      ASSERT_EQ(parts.size(), 3u) << meanings[i];
      ASSERT_TRUE(service.NextMeaning(definition, sizeof definition, synonyms, sizeof synonyms));
      std::string expected;
      InPluginText(parts[1], expected);
      EXPECT_EQ(definition, expected) << word;
      EXPECT_EQ(synonyms, ExpectedList(parts[2], ",")) << word;
    }
    EXPECT_FALSE(service.NextMeaning(definition, sizeof definition, synonyms, sizeof synonyms)) << word;
    i = end;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SpellCaseTest, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
