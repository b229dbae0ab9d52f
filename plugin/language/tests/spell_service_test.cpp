// The language services over real dictionary files: tiny ones written here for the services' own
// rules, and the system's en_US speller and thesaurus. What the speller and thesaurus answer from
// given files is in cases/ (spell_cases_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "language_services.h"
#include "list_header.h"
#include "plugin_text.h"
#include "spell_service.h"
#include "temp_folder.h"

namespace {

const std::string kSystem = SYSTEM_DICTIONARIES;

bool Contains(const TextList& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// Builds a MyThes index and data pair holding one word and its meanings ("(pos)|syn|syn...").
void WriteThesaurus(const TempFolder& dir, const std::string& word,
                    const std::vector<std::string>& meanings) {
  const std::string head = "ISO8859-1\n";
  std::string data = head + word + "|" + std::to_string(meanings.size()) + "\n";
  for (const std::string& meaning : meanings) data += meaning + "\n";
  dir.Write("en_US.dat", data);
  dir.Write("en_US.idx", head + "1\n" + word + "|" + std::to_string(head.size()) + "\n");
}

class LanguageTest : public ::testing::Test {
 protected:
  LanguageTest() : library(dir.Path()) {}

  void WriteSpeller(const std::string& folder, const std::string& aff, const std::string& words) {
    dir.Write(folder + "en_US.aff", aff);
    dir.Write(folder + "en_US.dic", words);
  }

  TempFolder dir;
  LanguageServices library;
};

// The Unicode builds give the speller the word as typed; the 32-bit build lower-cases it first.
TEST_F(LanguageTest, WordsAreTrimmedAndInTheClassicBuildLowerCased) {
  WriteSpeller("", "", "2\nParis\nlake\n");
  EXPECT_EQ(library.IsWordCorrect("Paris"), kUtf8Text);  // 32-bit: checked as "paris"
  EXPECT_EQ(library.IsWordCorrect("PARIS"), kUtf8Text);
  EXPECT_TRUE(library.IsWordCorrect(",LAKE; "));
  EXPECT_TRUE(library.IsWordCorrect(" ;, "));  // the empty word passes
  EXPECT_FALSE(library.IsWordCorrect((std::string(100, 'l') + "ake").c_str()));
  TextList suggestions;
  library.GetSuggestions((std::string(120, 'x')).c_str(), suggestions);
  EXPECT_TRUE(suggestions.empty());
  library.GetSuggestions(kUtf8Text ? "lakr" : "LAKR", suggestions);
  ASSERT_TRUE(Contains(suggestions, "lake"));
  const std::size_t once = suggestions.size();
  library.GetSuggestions("lakr", suggestions);  // appends again
  EXPECT_EQ(suggestions.size(), 2 * once);
}

TEST_F(LanguageTest, UserWordListAddsOnceAndCountsOnlyWithASpeller) {
  WriteSpeller("", "", "1\nlake\n");
  EXPECT_FALSE(library.IsWordCorrect("Qwixel"));
  EXPECT_TRUE(library.AddWordToDictionary(" Qwixel;"));
  const std::string added = kUtf8Text ? "Qwixel" : "qwixel";  // as typed in the Unicode builds
  EXPECT_EQ(dir.Read("SavedWords.dat"), added + kLineEnd);
  EXPECT_TRUE(library.IsWordCorrect("QWIXEL"));
  // A word already in the list does not rewrite the file.
  dir.Write("SavedWords.dat", "edited by hand");
  EXPECT_TRUE(library.AddWordToDictionary("qwixel"));
  EXPECT_EQ(dir.Read("SavedWords.dat"), "edited by hand");
  // The empty word joins the list but never the file.
  dir.Write("SavedWords.dat", "");
  EXPECT_TRUE(library.AddWordToDictionary(";,"));
  EXPECT_EQ(dir.Read("SavedWords.dat"), added + kLineEnd);
  // A failed rewrite keeps the file as it was; the word still counts for this load.
  dir.MakeDir("SavedWords.dat.new");
  EXPECT_TRUE(library.AddWordToDictionary("zyx"));
  EXPECT_EQ(dir.Read("SavedWords.dat"), added + kLineEnd);
  EXPECT_TRUE(library.IsWordCorrect("zyx"));
}

TEST_F(LanguageTest, SavedWordsFileIsReadByItsRules) {
  WriteSpeller("", "", "1\nlake\n");
  dir.Write("SavedWords.dat",
            "Capital\r\n\r\n" + std::string(255, 'a') + std::string(45, 'b') + "\r\nzed\r\n");
  EXPECT_EQ(library.IsWordCorrect("Capital"), kUtf8Text);  // 32-bit: checked as "capital"
  EXPECT_TRUE(library.IsWordCorrect(std::string(45, 'b').c_str()));
  EXPECT_TRUE(library.IsWordCorrect("zed"));
  library.AddWordToDictionary("new");
  const std::string end = kLineEnd;
  EXPECT_EQ(dir.Read("SavedWords.dat"), "Capital" + end + std::string(255, 'a') + end + std::string(45, 'b') +
                                            end + "zed" + end + "new" + end);
}

TEST_F(LanguageTest, WithoutDictionariesNothingIsCorrectButWordsAreStillAdded) {
  dir.Write("SavedWords.dat", "known\n");
  dir.Write("en_US.aff", "");  // half a pair counts as none
  EXPECT_FALSE(library.IsWordCorrect("known"));
  EXPECT_FALSE(library.IsWordCorrect(""));
  TextList list = {"kept"};
  library.GetSuggestions("knwn", list);
  library.GetSynonyms("known", list);
  EXPECT_EQ(list, (TextList{"kept"}));
  EXPECT_TRUE(library.AddWordToDictionary("Other"));
  EXPECT_EQ(dir.Read("SavedWords.dat"),
            std::string("known") + kLineEnd + (kUtf8Text ? "Other" : "other") + kLineEnd);
}

TEST_F(LanguageTest, PairsAreTakenWholeFromTheBaseFolderElseDic) {
  dir.Write("en_US.aff", "");
  WriteSpeller("dic/", "", "1\nharbour\n");
  EXPECT_TRUE(library.IsWordCorrect("Harbour"));
  // Once made, the service keeps its files even when better ones appear.
  WriteSpeller("", "", "1\nlake\n");
  EXPECT_FALSE(library.IsWordCorrect("lake"));
}

TEST_F(LanguageTest, LongDefinitionsAndSynonymTextsAreCutToTheirBuffers) {
  std::string many = "(noun)|" + std::string(120, 'd');
  for (int i = 0; i < 1500; ++i) many += "|syn" + std::to_string(i);
  WriteThesaurus(dir, "word", {many});
  SpellService& service = library.Service();
  ASSERT_EQ(service.LookupMeanings("word"), 1);
  char definition[kDefinitionSize];
  char synonyms[kSynonymTextSize];
  ASSERT_TRUE(service.NextMeaning(definition, sizeof definition, synonyms, sizeof synonyms));
  EXPECT_EQ(std::string(definition), ("(noun) " + std::string(120, 'd')).substr(0, kDefinitionSize - 1));
  const std::string text = synonyms;
  EXPECT_LT(text.size(), kSynonymTextSize);
  EXPECT_GT(text.size(), kSynonymTextSize - 20);
  EXPECT_EQ(text.back(), ',');  // ends after a whole synonym
  EXPECT_FALSE(service.NextMeaning(definition, sizeof definition, synonyms, sizeof synonyms));
}

// The libraries open their files through narrow calls: a folder the ANSI code page cannot name
// (a profile such as "Łukasz" in the x64 build; "Jürgen" in the 32-bit build) still gives them
// their files.
// The folder's path may be one no short (8.3) name stands in for, and, in the UTF-8 builds, one
// whose UTF-8 bytes are more than a Windows path may hold while its UTF-16 units are not.
TEST_F(LanguageTest, DictionariesUnderAFolderOutsideTheCodePage) {
  std::u16string user = kUtf8Text ? u"\u0141ukasz" : u"J\u00FCrgen";
  std::string userText = kUtf8Text ? "\xC5\x81ukasz" : "J\xFCrgen";
  while (kUtf8Text && TextCharacters(dir.Path() + userText) + 5 + 10 < 250) {
    user += u"/\u6771\u4EAC\u5927\u962A";
    userText += std::string(1, kPathSeparator) + "\xE6\x9D\xB1\xE4\xBA\xAC\xE5\xA4\xA7\xE9\x98\xAA";
  }
  const std::filesystem::path folder = std::filesystem::path(dir.Path()) / user;
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "en_US.aff") << "SET UTF-8\n";
  std::ofstream(folder / "en_US.dic") << "1\nlake\n";
  WriteThesaurus(dir, "lake", {"(noun)|pond|mere"});
  for (const char* file : {"en_US.idx", "en_US.dat"})
    std::filesystem::rename(dir.Path() + file, folder / file);
  LanguageServices there(dir.Path() + userText + kPathSeparator);
  EXPECT_TRUE(there.IsWordCorrect("lake"));
  TextList synonyms;
  there.GetSynonyms("lake", synonyms);
  EXPECT_TRUE(Contains(synonyms, "pond"));
}

TEST_F(LanguageTest, SystemEnglishFiles) {
  namespace fs = std::filesystem;
  const fs::path root = dir.Path();
  fs::copy_file(kSystem + "/hunspell/en_US.aff", root / "en_US.aff");
  fs::copy_file(kSystem + "/hunspell/en_US.dic", root / "en_US.dic");
  fs::create_directories(root / "dic");
  fs::copy_file(kSystem + "/mythes/th_en_US_v2.idx", root / "dic" / "en_US.idx");
  fs::copy_file(kSystem + "/mythes/th_en_US_v2.dat", root / "dic" / "en_US.dat");
  EXPECT_TRUE(library.IsWordCorrect("Photograph;"));
  EXPECT_FALSE(library.IsWordCorrect("fotograph"));
  EXPECT_FALSE(library.IsWordCorrect(kUtf8Text ? "Jos\xC3\xA9" : "Jos\xE9"));
  TextList list;
  library.GetSuggestions("fotograph", list);
  EXPECT_TRUE(Contains(list, "photograph"));
  library.GetSuggestions("caf\xE9\xE9", list);  // accented input neither crashes nor garbles
  list.clear();
  library.GetSynonyms("Cat", list);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front().substr(0, 2), ListHeader("("));
  EXPECT_TRUE(std::any_of(list.begin(), list.end(),
                          [](const std::string& s) { return s.find("feline") != std::string::npos; }));
}

}  // namespace
