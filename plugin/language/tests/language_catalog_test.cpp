// Finding the installed languages (shipped files, the user's loose files and extensions), the
// choice among them, and the services over several languages at once (the Unicode builds).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "language_catalog.h"
#include "language_names.h"
#include "language_services.h"
#include "list_header.h"
#include "plugin_text.h"
#include "stored_zip.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
const fs::path kCases = LANGUAGE_CASES;

std::string Xcu(const std::string& tag, const std::string& aff, const std::string& dic) {
  return "<oor:component-data><node oor:name=\"ServiceManager\"><node oor:name=\"Dictionaries\">"
         "<node oor:name=\"HunSpellDic_" +
         tag +
         "\" oor:op=\"fuse\">"
         "<prop oor:name=\"Locations\" oor:type=\"oor:string-list\"><value>%origin%/" +
         aff + " %origin%/" + dic +
         "</value></prop>"
         "<prop oor:name=\"Format\" oor:type=\"xs:string\"><value>DICT_SpellChecker</value></prop>"
         "<prop oor:name=\"Locales\" oor:type=\"oor:string-list\"><value>" +
         tag + "</value></prop></node></node></node></oor:component-data>";
}

std::string CaseFile(const std::string& name) {
  return ReadAt(kCases / name);
}

std::vector<std::string> Tags(const std::vector<LanguageFiles>& languages) {
  std::vector<std::string> tags;
  for (const LanguageFiles& files : languages) tags.push_back(files.tag);
  return tags;
}

TEST(LanguageCatalog, TagsAreReadInOneForm) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"de_DE", "de_DE"}, {"de-de", "de_DE"}, {"pt-BR", "pt_BR"}, {"ca_ES_valencia", "ca_ES_valencia"},
      {"fr", "fr"},       {"ast", "ast"},     {"hyph_de_DE", ""}, {"hyph de", ""},
      {"e", ""},          {"de__DE", ""},     {"", ""},           {"Languages", ""},
  };
  for (const auto& [text, tag] : cases) EXPECT_EQ(LanguageTag(text), tag) << text;
}

TEST(LanguageCatalog, UserDictionariesWinOverShippedOnesAndEachPartIsFoundOnItsOwn) {
  TempFolder root, machine;
  for (const char* tag : {"en_US", "de_DE"}) {
    machine.Write(std::string(tag) + ".aff", "");
    machine.Write(std::string(tag) + ".dic", "0\n");
  }
  machine.Write("de_DE.idx", ""), machine.Write("de_DE.dat", "");
  machine.Write("dic/ru_RU.aff", ""), machine.Write("dic/ru_RU.dic", "");
  machine.Write("it_IT.aff", "");  // half a pair is none
  root.Write("Dictionaries/de_DE.aff", ""), root.Write("Dictionaries/de_DE.dic", "");
  root.Write("Dictionaries/th_nl_NL_v2.idx", ""), root.Write("Dictionaries/th_nl_NL_v2.dat", "");
  root.Write("Dictionaries/hyph_de_DE.dic", "");
  root.Write("Dictionaries/pl.oxt", StoredZip({{"dictionaries.xcu", Xcu("pl-PL", "pl_PL.aff", "pl_PL.dic")},
                                               {"pl_PL.aff", ""},
                                               {"pl_PL.dic", ""}}));
  root.Write("Dictionaries/broken.oxt", "not a zip");
  const std::vector<LanguageFiles> found = FindLanguages(root.Path(), machine.Path());
  ASSERT_EQ(Tags(found), (std::vector<std::string>{"de_DE", "en_US", "nl_NL", "pl_PL", "ru_RU"}));
  EXPECT_EQ(found[0].aff, root.Path() + "Dictionaries" + kPathSeparator + "de_DE.aff");
  EXPECT_EQ(found[0].idx, machine.Path() + "de_DE.idx");  // the shipped thesaurus stays
  EXPECT_TRUE(found[2].aff.empty());
  EXPECT_EQ(found[2].idx, root.Path() + "Dictionaries" + kPathSeparator + "th_nl_NL_v2.idx");
  EXPECT_EQ(found[3].package, root.Path() + "Dictionaries" + kPathSeparator + "pl.oxt");
  EXPECT_EQ(found[4].dic, machine.Path() + "dic" + kPathSeparator + "ru_RU.dic");
  // Nothing is created while looking.
  EXPECT_FALSE(root.Exists("Dictionaries/Unpacked"));
  EXPECT_TRUE(FindLanguages(machine.Path() + "missing" + kPathSeparator, "").empty());
}

TEST(LanguageCatalog, ChoiceFileAndFirstDefault) {
  EXPECT_EQ(ParseLanguageChoice("\xEF\xBB\xBF"
                                "de_DE\r\n\r\n pl-PL \nde_DE\nnot a tag\nen_US"),
            (std::vector<std::string>{"de_DE", "pl_PL", "en_US"}));
  EXPECT_EQ(FormatLanguageChoice({"de_DE", "en_US"}), "de_DE\nen_US\n");
  const std::vector<LanguageFiles> installed = {
      {"de_DE", "a", "d", "", "", ""}, {"en_US", "a", "d", "", "", ""}, {"fr_FR", "", "", "i", "d", ""}};
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
      {{}, {"en_US"}},
      {{"de-DE", "en-US"}, {"en_US", "de_DE"}},
      {{"de-AT"}, {"en_US", "de_DE"}},           // the language alone
      {{"fr-FR"}, {"en_US", "fr_FR"}},           // a thesaurus alone is a language too
      {{"ja-JP", "de-CH"}, {"en_US", "de_DE"}},  // the first display language installed
      {{"en-US"}, {"en_US"}},
  };
  for (const auto& [display, chosen] : cases) EXPECT_EQ(DefaultLanguages(installed, display), chosen);
  EXPECT_EQ(DefaultLanguages({installed[0]}, {"pl-PL"}), std::vector<std::string>{});
}

// The speller of the lake case as English and the Polish case as pl_PL (ISO 8859-2), in the
// machine's folder; the library's root is a folder of its own.
class LanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kUtf8Text) GTEST_SKIP() << "one language in the 32-bit build";
    machine.Write("en_US.aff", "TRY esianrtolcdugmphbyfvkwzqxj\n"),
        machine.Write("en_US.dic", CaseFile("lake.dic"));
    machine.Write("pl_PL.aff", CaseFile("polish.aff")), machine.Write("pl_PL.dic", CaseFile("polish.dic"));
  }
  LanguageServices Services() { return LanguageServices(root.Path(), machine.Path()); }

  TempFolder root, machine;
};

TEST_F(LanguagesTest, WordsAreCheckedAsTypedInEveryChosenLanguage) {
  root.Write("Languages.txt", "en_US\npl_PL\n");
  LanguageServices services = Services();
  struct Case {
    const char* word;
    bool correct;
  };
  const Case cases[] = {
      {"Paris", true},
      {"PARIS", true},
      {" lake; ", true},
      {"paris", false},  // as typed
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       true},  // Łódź, from pl_PL
      {"miasto", true},
      {"lakr", false},
      {"miast\xC3\xB3", false},
      {"\xE6\x9D\xB1\xE4\xBA\xAC", true},  // 東京: no letter of either alphabet
      {"2024", true},
      {"\xF0\x9F\x93\xB7", true},
      {"", true},
      {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", true},  // Москва: not in ISO 8859-2, no letter
  };
  for (const Case& c : cases) EXPECT_EQ(services.IsWordCorrect(c.word), c.correct) << c.word;
}

TEST_F(LanguagesTest, UserWordsMatchWithoutRegardToCase) {
  root.Write("Languages.txt", "en_US\n");
  LanguageServices services = Services();
  const std::string word = "Gda\xC5\x84sk";  // Gdańsk
  EXPECT_FALSE(services.IsWordCorrect("GDA\xC5\x83SK"));
  EXPECT_TRUE(services.AddWordToDictionary((" " + word + ";").c_str()));
  EXPECT_EQ(root.Read("SavedWords.dat"), word + kLineEnd);  // as typed
  for (const char* form : {"GDA\xC5\x83SK", "gda\xC5\x84sk", "gdan\xCC\x81sk"})
    EXPECT_TRUE(services.IsWordCorrect(form)) << form;
  EXPECT_TRUE(services.AddWordToDictionary("gda\xC5\x84sk"));
  EXPECT_EQ(root.Read("SavedWords.dat"), word + kLineEnd);  // the same word is not added again
}

TEST_F(LanguagesTest, SuggestionsComeLikeliestLanguageFirstAndAtMostTwentyFiveInAll) {
  root.Write("Languages.txt", "en_US\npl_PL\n");
  LanguageServices services = Services();
  TextList list = {"kept"};
  services.GetSuggestions("miastp", list);
  EXPECT_EQ(list, (TextList{"kept", "miasto"}));
  list.clear();
  // "jezióro": ó is only in the Polish alphabet, so its suggestions come first.
  services.GetSuggestions("jezi\xC3\xB3ro", list);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), "jezioro");
  // Many close words in two languages: 25 in all.
  std::string english = "16\n", polish = "26\n";
  for (char c = 'a'; c <= 'z'; ++c) {
    if (c <= 'p') english += std::string("lake") + c + "\n";
    polish += std::string("lakeq") + c + "\n";
  }
  const std::string aff = "TRY abcdefghijklmnopqrstuvwxyz\n";
  machine.Write("en_US.aff", aff), machine.Write("en_US.dic", english);
  machine.Write("pl_PL.aff", aff), machine.Write("pl_PL.dic", polish);
  LanguageServices fresh = Services();
  list.clear();
  fresh.GetSuggestions("lakeq", list);
  EXPECT_EQ(list.size(), kMaxSuggestions);
  EXPECT_EQ(list.front().substr(0, 4), "lake");
}

TEST_F(LanguagesTest, SuggestionsWorkedOutAheadAreTheOnesAskedFor) {
  root.Write("Languages.txt", "en_US\npl_PL\n");
  LanguageServices ahead = Services(), asked = Services();
  // "lakr" and "miastp" are wrong in both languages, "lake" and "2024" in neither; one language's
  // search per step, each word's once.
  ahead.QueueSuggestions({"lakr", "lake", " miastp;", "lakr", "2024", ""});
  int steps = 0;
  while (ahead.PrepareNextSuggestion()) ++steps;
  EXPECT_EQ(steps, 4);
  for (const char* word : {"lakr", "miastp", "jezi\xC3\xB3ro"}) {
    TextList ready, fresh;
    ahead.GetSuggestions(word, ready);
    asked.GetSuggestions(word, fresh);
    EXPECT_EQ(ready, fresh) << word;
  }
  // A new queue replaces the old one.
  ahead.QueueSuggestions({"lakex"});
  ahead.QueueSuggestions({});
  EXPECT_FALSE(ahead.PrepareNextSuggestion());
}

TEST_F(LanguagesTest, ThesauriOfSeveralLanguagesEachUnderTheirName) {
  machine.Write("en_US.idx", CaseFile("kitty.idx")), machine.Write("en_US.dat", CaseFile("kitty.dat"));
  machine.Write("ru_RU.aff", "SET UTF-8\n"), machine.Write("ru_RU.dic", "0\n");
  machine.Write("ru_RU.idx", CaseFile("bom.idx")), machine.Write("ru_RU.dat", CaseFile("bom.dat"));
  root.Write("Languages.txt", "ru_RU\nen_US\n");
  LanguageServices services = Services();
  TextList list;
  services.GetSynonyms("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                       list);  // "Москва": looked up in lower case
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], ListHeader("(noun) \xD1\x81\xD1\x82\xD0\xBE\xD0\xBB\xD0\xB8\xD1\x86\xD0\xB0"));
  // A word both thesauri know: a header per language, in the menu's order.
  machine.Write("ru_RU.idx", CaseFile("kitty.idx")), machine.Write("ru_RU.dat", CaseFile("kitty.dat"));
  LanguageServices both = Services();
  list.clear();
  both.GetSynonyms("kitty", list);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), ListHeader(NativeLanguageName("en_US")));
  EXPECT_EQ(std::count(list.begin(), list.end(), ListHeader(NativeLanguageName("ru_RU"))), 1);
}

TEST_F(LanguagesTest, ChoiceIsKeptBesideTheLibraryAndAnExtensionIsUnpackedWhole) {
  root.Write("Dictionaries/polski.oxt",
             StoredZip({{"dictionaries.xcu", Xcu("pl-PL", "dict/pl.aff", "dict/pl.dic")},
                        {"dict/pl.aff", "SET UTF-8\n"},
                        {"dict/pl.dic", "1\nzamek\n"}}));
  {
    LanguageServices services = Services();
    const std::vector<LanguageChoiceItem> items = services.Languages();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].chosen);  // en_US, the first default
    EXPECT_EQ(items[1].tag, "pl_PL");
    EXPECT_FALSE(items[1].chosen);
    EXPECT_FALSE(root.Exists("Languages.txt"));
    EXPECT_FALSE(services.IsWordCorrect("zamek"));
    ASSERT_TRUE(services.ToggleLanguage(1));
    EXPECT_TRUE(services.IsWordCorrect("zamek"));  // the user's pl_PL wins over the shipped one
    ASSERT_TRUE(services.ToggleLanguage(0));
    EXPECT_FALSE(services.ToggleLanguage(2));
    EXPECT_EQ(root.Read("Languages.txt"), std::string("pl_PL") + kLineEnd);
    EXPECT_EQ(root.Read("Dictionaries/Unpacked/polski/pl.dic"), "1\nzamek\n");
  }
  LanguageServices again = Services();
  EXPECT_FALSE(again.Languages()[0].chosen);
  EXPECT_TRUE(again.Languages()[1].chosen);
  EXPECT_FALSE(again.IsWordCorrect("lake"));
  // A changed extension is unpacked anew.
  root.Write("Dictionaries/polski.oxt",
             StoredZip({{"dictionaries.xcu", Xcu("pl-PL", "dict/pl.aff", "dict/pl.dic")},
                        {"dict/pl.aff", "SET UTF-8\n"},
                        {"dict/pl.dic", "1\nbrama\n"}}));
  LanguageServices changed = Services();
  EXPECT_TRUE(changed.IsWordCorrect("brama"));
  // A choice file that cannot be written keeps the choice as it was.
  root.MakeDir("Languages.txt.new");
  EXPECT_FALSE(changed.ToggleLanguage(0));
  EXPECT_FALSE(changed.Languages()[0].chosen);
}

}  // namespace
