// The library on the real file system (under Wine in the Windows build).
#include "keyword_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "list_header.h"
#include "plugin_text.h"
#include "temp_folder.h"
#include "utf8_text.h"
#include "file_info_record.h"

namespace {

namespace fs = std::filesystem;

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + kLineEnd;
  return text;
}

class LibraryTest : public ::testing::Test {
 protected:
  LibraryTest() : library(dir.Path()) {
    dir.MakeDir("Templates");
    dir.MakeDir("Groups");
  }
  TempFolder dir;
  KeywordLibrary library;
};

// The 32-bit module keeps the classic root; the x64 module the user's (made on first use; this
// process made it when it was not there, and removes it again), with the dictionaries of the
// classic root.
TEST(KeywordLibraryRoot, IsTheSystemDirectoryFolderOrForX64TheUsersWithTrailingSeparator) {
  const std::string classic = SystemDirectory() + kPathSeparator + "kwTemplates" + kPathSeparator;
#if defined(_WIN64)
  const std::string user = UserDataDirectory() + "\\Tavimor\\kwTemplates\\";
  ASSERT_NE(UserDataDirectory(), "");
  const bool existed = PathExists(user);
  const KeywordLibrary library;
  EXPECT_EQ(std::string(library.Root()), user);
  EXPECT_EQ(std::string(library.DictionaryFolder()), classic);
  EXPECT_TRUE(PathExists(user + "Templates") && PathExists(user + "Groups"));
  if (!existed) std::filesystem::remove_all(user);
#else
  const KeywordLibrary library;
  EXPECT_EQ(std::string(library.Root()), classic);
  EXPECT_EQ(std::string(library.DictionaryFolder()), "");
#endif
}

// Each library asks the language services it was handed, made over its own folders: neither the
// first library used nor the first root seen decides which dictionaries and word list answer.
TEST(KeywordLibraryLanguage, EachLibraryAnswersFromItsOwnServices) {
  TempFolder first, second;
  for (TempFolder* dir : {&first, &second}) dir->Write("en_US.aff", "");
  first.Write("en_US.dic", "1\nlake\n");
  second.Write("en_US.dic", "1\nfjord\n");
  LanguageServices firstServices(first.Path()), secondServices(second.Path());
  KeywordLibrary lakes(first.Path()), fjords(second.Path());
  lakes.UseLanguageServices(firstServices);
  fjords.UseLanguageServices(secondServices);
  EXPECT_TRUE(lakes.IsWordCorrect("Lake"));
  EXPECT_FALSE(lakes.IsWordCorrect("fjord"));
  EXPECT_TRUE(fjords.IsWordCorrect("fjord"));
  EXPECT_FALSE(fjords.IsWordCorrect("lake"));
  EXPECT_TRUE(fjords.AddWordToDictionary("Tarn"));
  EXPECT_EQ(second.Read("SavedWords.dat"), std::string(kUtf8Text ? "Tarn" : "tarn") + kLineEnd);
  EXPECT_FALSE(first.Exists("SavedWords.dat"));
  EXPECT_FALSE(lakes.IsWordCorrect("tarn"));
}

TEST_F(LibraryTest, TemplateRoundTrip) {
  ASSERT_TRUE(library.SaveTemplate("Studio", RecordOf({"fog; lake; ", "Dawn", "", "Lake", "Free use", ""})));
  EXPECT_EQ(dir.Read("Templates/Studio.tmp"),
            Lines({"Copyright=Free use", "Description=Lake", "Keywords=fog; lake; ",
                   "Photographer=", "Title=Dawn", "URL="}));
  FileInfoRecord record;
  ClearFileInfo(record);
  ASSERT_TRUE(library.LoadTemplate("Studio", record));
  EXPECT_STREQ(record.keywords, "fog; lake; ");
  EXPECT_STREQ(record.title, "Dawn");
  EXPECT_STREQ(record.copyright, "Free use");
  EXPECT_STREQ(record.url, "");
  EXPECT_FALSE(library.SaveTemplate("", RecordOf({"k", "t", "p", "d", "c", "u"})));
}

// Enter typed into a box never breaks a file: in the keywords it separates keywords, elsewhere it
// is kept as a blank; no value spills into a line that reads as another field.
TEST_F(LibraryTest, ALineBreakInAValueStaysOnItsLine) {
  const char* keywords = "alpha\r\nCopyright=evil\r\nbeta";
  ASSERT_TRUE(
      library.SaveTemplate("Last", RecordOf({keywords, "Dawn", "", "one\r\nURL=http://evil", "mine", ""})));
  FileInfoRecord record;
  ClearFileInfo(record);
  ASSERT_TRUE(library.LoadTemplate("Last", record));
  EXPECT_STREQ(record.keywords, "alpha; Copyright=evil; beta");
  EXPECT_STREQ(record.copyright, "mine");
  EXPECT_STREQ(record.description, "one URL=http://evil");
  EXPECT_STREQ(record.url, "");

  ASSERT_TRUE(library.SaveGroup("", "Split", keywords));
  char group[kKeywordTextSize] = "";
  ASSERT_TRUE(library.LoadGroup("", "Split", group, sizeof group));
  EXPECT_STREQ(group, "alpha; Copyright=evil; beta");

  ASSERT_TRUE(library.SaveRecent(RecordOf({keywords, "Dawn\r\nPhotographer=evil", "", "", "", ""})));
  ASSERT_TRUE(library.LoadRecent());
  TextList values;
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, TextList{"Dawn Photographer=evil"});
  library.GetRecentValues(32000, values);
  EXPECT_EQ(values, TextList{});
  library.GetRecentValues(34000, values);
  EXPECT_EQ(values, TextList{"alpha; Copyright=evil; beta"});
}

// A Ctrl-Z byte in a value ends no file: the values after it, and the lines after it, come back.
TEST_F(LibraryTest, ACtrlZInAValueEndsNoFile) {
  ASSERT_TRUE(library.SaveTemplate("Z", RecordOf({"a\x1A b; c", "T\x1Aitle", "", "", "after", "u"})));
  FileInfoRecord record;
  ClearFileInfo(record);
  ASSERT_TRUE(library.LoadTemplate("Z", record));
  EXPECT_STREQ(record.keywords, "a\x1A b; c");
  EXPECT_STREQ(record.title, "T\x1Aitle");
  EXPECT_STREQ(record.url, "u");

  dir.Write("Recent.dat", std::string("Title=x\x1Ay") + kLineEnd + "Photographer=P" + kLineEnd);
  ASSERT_TRUE(library.LoadRecent());
  TextList values;
  library.GetRecentValues(32000, values);
  EXPECT_EQ(values, TextList{"P"});
}

TEST_F(LibraryTest, LoadTemplateCutsOverlongValuesAndLeavesOutputOnFailure) {
  dir.Write("Templates/Hand.tmp", "Title=" + std::string(400, 't') + "\nURL=x\n");
  FileInfoRecord record;
  ClearFileInfo(record);
  ASSERT_TRUE(library.LoadTemplate("Hand", record));
  EXPECT_EQ(std::string(record.title), std::string(255, 't'));
  EXPECT_STREQ(record.url, "x");
  EXPECT_STREQ(record.keywords, "");
  // The field holds 255 characters whatever they take: "é" two bytes in UTF-8, one in ANSI.
  const std::u16string accents(400, u'\u00E9');
  dir.Write("Templates/Hand.tmp", "Title=" + Text(accents) + "\n");
  ASSERT_TRUE(library.LoadTemplate("Hand", record));
  EXPECT_EQ(std::string(record.title), Text(accents.substr(0, 255)));
  std::strcpy(record.title, "kept");
  EXPECT_FALSE(library.LoadTemplate("Missing", record));
  EXPECT_STREQ(record.title, "kept");
}

TEST_F(LibraryTest, FailedSaveKeepsTheOldFile) {
  ASSERT_TRUE(library.SaveGroup("", "Birds", "owl; "));
  // A name the file system refuses fails without touching anything.
  EXPECT_FALSE(library.SaveGroup("Missing Folder", "Birds", "hawk; "));
  dir.MakeDir("Groups/Birds.tmp.new");  // the new file cannot be created
  EXPECT_FALSE(library.SaveGroup("", "Birds", "hawk; "));
  char keywords[kKeywordTextSize] = "";
  ASSERT_TRUE(library.LoadGroup("", "Birds", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "owl; ");
}

TEST_F(LibraryTest, KeywordLimitIsKeptWholeAndReadBackByAnyLibraryOfTheRoot) {
  EXPECT_EQ(library.LoadKeywordLimit(), 0);  // no file: no limit
  ASSERT_TRUE(library.SaveKeywordLimit(49));
  EXPECT_EQ(KeywordLibrary(dir.Path()).LoadKeywordLimit(), 49);
  EXPECT_FALSE(library.SaveKeywordLimit(-1));
  dir.MakeDir("Keyword Limit.txt.new");  // the new file cannot be created: the old one stays
  EXPECT_FALSE(library.SaveKeywordLimit(25));
  EXPECT_EQ(library.LoadKeywordLimit(), 49);
  // A file that holds no number of keywords the text can hold means no limit.
  for (const char* text : {"", "x", "50x", "-3", "99999999999999999999", "10000"}) {
    dir.Write("Keyword Limit.txt", text);
    EXPECT_EQ(library.LoadKeywordLimit(), 0) << text;
  }
  dir.Write("Keyword Limit.txt", "25\r\n");
  EXPECT_EQ(library.LoadKeywordLimit(), 25);
}

TEST_F(LibraryTest, ListTemplatesHidesOnlyLast) {
  library.SaveTemplate("Last", RecordOf({}));
  library.SaveTemplate("Studio", RecordOf({}));
  dir.Write("Templates/notes.txt", "x");
  dir.MakeDir("Templates/Folder.tmp");
  TextList list = {"kept"};
  library.ListTemplates(list);
  EXPECT_EQ(list, (TextList{"kept", "Studio"}));
  // Only the exact name is hidden: another case is a template of its own.
  library.DeleteEntryFile("", "Last", kTemplateEntry);
  library.SaveTemplate("last", RecordOf({}));
  list.clear();
  library.ListTemplates(list);
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (TextList{"Studio", "last"}));
}

TEST_F(LibraryTest, DefaultFolderMeansTopLevelOnlyWhenSaving) {
  ASSERT_TRUE(library.SaveGroup(kDefaultFolder, "Birds", "owl; "));
  EXPECT_TRUE(dir.Exists("Groups/Birds.tmp"));
  char keywords[kKeywordTextSize] = "untouched";
  EXPECT_FALSE(library.LoadGroup(kDefaultFolder, "Birds", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "untouched");
  ASSERT_TRUE(library.LoadGroup("", "Birds", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "owl; ");
  EXPECT_TRUE(library.DeleteEntryFile(kDefaultFolder, "Birds", kGroupEntry));
  EXPECT_TRUE(dir.Exists("Groups/Birds.tmp"));
  EXPECT_TRUE(library.DeleteEntryFile("", "Birds", kGroupEntry));
  EXPECT_FALSE(dir.Exists("Groups/Birds.tmp"));
  EXPECT_TRUE(library.DeleteEntryFile("", "Birds", kGroupEntry));
}

TEST_F(LibraryTest, ListGroupsPutsTopLevelGroupsFirstAndKeepsDottedNames) {
  library.SaveGroup("", "A", "a");
  library.CreateFolder("Nature", kGroupFolder);
  library.SaveGroup("Nature", "Birds", "owl");
  library.SaveGroup("", "B", "b");
  library.SaveGroup("", "summer.2005", "sun");
  library.CreateFolder("Empty", kGroupFolder);
  dir.Write("Groups/Nature/Owls.tmp.new", "Keywords=owl\n");  // left by an interrupted save
  TextList list;
  library.ListGroups(list);
#ifdef _WIN32
  // Windows lists a folder's entries by name.
  EXPECT_EQ(list, (TextList{"summer.2005", "B", "A", ListHeader("Empty"), ListHeader("Nature"), "Birds"}));
#else
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (TextList{ListHeader("Empty"), ListHeader("Nature"), "A", "B", "Birds", "summer.2005"}));
#endif
  char keywords[kKeywordTextSize] = "";
  EXPECT_TRUE(library.LoadGroup("", "summer.2005", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "sun");
}

TEST_F(LibraryTest, RemoveFolderOnlyWhenEmpty) {
  library.CreateFolder("Nature", kGroupFolder);
  library.CreateFolder("Nature", kGroupFolder);  // existing: silently nothing
  library.SaveGroup("Nature", "Birds", "owl");
  EXPECT_FALSE(library.RemoveFolder("Nature", kGroupEntry));
  EXPECT_TRUE(dir.Exists("Groups/Nature/Birds.tmp"));
  library.DeleteEntryFile("Nature", "Birds", kGroupEntry);
  EXPECT_TRUE(library.RemoveFolder("Nature", kGroupEntry));
  EXPECT_FALSE(library.RemoveFolder("Nature", kGroupEntry));
  EXPECT_FALSE(library.RemoveFolder("", kGroupEntry));
  EXPECT_TRUE(dir.Exists("Groups"));
  library.CreateFolder("Old", kTemplateFolder);
  EXPECT_TRUE(dir.Exists("Templates/Old"));
  EXPECT_TRUE(library.RemoveFolder("Old", kTemplateEntry));
}

TEST(KeywordLibraryNames, NamesThatWouldLeaveTheLibraryAreRefused) {
  TempFolder dir;
  dir.MakeDir("lib/Templates");
  dir.MakeDir("lib/Groups/Nature");
  dir.Write("victim.tmp", "Keywords=mine\n");
  dir.MakeDir("Empty");
  const KeywordLibrary library(dir.Path() + "lib" + kPathSeparator);
  FileInfoRecord record{};
  char keywords[64] = "untouched";
  for (const char* bad : {"../../victim", "..\\..\\victim", "..", ". .", " ..", "Nature/x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(library.SaveTemplate(bad, RecordOf({"k", "t", "p", "d", "c", "u"})));
    EXPECT_FALSE(library.SaveGroup("", bad, "k"));
    EXPECT_FALSE(library.SaveGroup(bad, "Owls", "k"));
    EXPECT_FALSE(library.LoadTemplate(bad, record));
    EXPECT_FALSE(library.LoadGroup(bad, "victim", keywords, sizeof keywords));
    EXPECT_TRUE(library.DeleteEntryFile("", bad, kGroupEntry));
    EXPECT_TRUE(library.DeleteEntryFile(bad, "victim", kTemplateEntry));
    library.CreateFolder(bad, kGroupFolder);
    EXPECT_FALSE(library.RemoveFolder(bad, kGroupEntry));
  }
  library.CreateFolder("../../Escaped", kTemplateFolder);
  EXPECT_FALSE(library.RemoveFolder("../../Empty", kTemplateEntry));
  EXPECT_STREQ(keywords, "untouched");
  EXPECT_EQ(dir.Read("victim.tmp"), "Keywords=mine\n");
  EXPECT_FALSE(dir.Exists("Escaped"));
  EXPECT_TRUE(dir.Exists("Empty"));
  EXPECT_TRUE(dir.Exists("lib/Groups/Nature"));
  // Dots inside a name are ordinary characters.
  EXPECT_TRUE(library.SaveTemplate("v1.0 ...final", RecordOf({"k", "", "", "", "", ""})));
  EXPECT_TRUE(library.LoadTemplate("v1.0 ...final", record));
  EXPECT_STREQ(record.keywords, "k");
}

TEST_F(LibraryTest, RecentValuesRoundTrip) {
  TextList values = {"stale"};
  EXPECT_FALSE(library.LoadRecent());
  EXPECT_TRUE(library.GetRecentValues(31000, values));
  EXPECT_TRUE(values.empty());
  ASSERT_TRUE(library.SaveRecent(RecordOf({"", "Dawn", "", "", "", ""})));
  EXPECT_EQ(dir.Read("Recent.dat"),
            Lines({"Title=Dawn", "Photographer=", "Description=", "Keywords=", "Copyright=", "URL="}));
  ASSERT_TRUE(library.LoadRecent());
  const std::string mine = Text(u"\u00A9 Me");
  ASSERT_TRUE(
      library.SaveRecent(RecordOf({"fog; lake; ", "Lake|Harbour", "", "", mine.c_str(), "http://x"})));
  // SaveRecent leaves the table alone until the next load.
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, (TextList{"Dawn"}));
  ASSERT_TRUE(library.LoadRecent());
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, (TextList{"Lake", "Harbour", "Dawn"}));
  library.GetRecentValues(34999, values);
  EXPECT_EQ(values, (TextList{"fog; lake"}));
  library.GetRecentValues(35000, values);
  EXPECT_EQ(values, TextList{mine});
  library.GetRecentValues(37000, values);
  EXPECT_TRUE(values.empty());
  library.GetRecentValues(30500, values);
  EXPECT_TRUE(values.empty());
}

// A library under folders named outside code page 1252, with templates, groups and folders named
// so too (the x64 module under a profile such as C:\users\Łukasz); the 32-bit module's names
// are its ANSI text. Either way every name and value goes to disk as the system names it, in the
// plug-in's text, and comes back whole.
TEST(KeywordLibraryText, AnyNameAndValueGoesToDiskAndComesBack) {
  TempFolder dir;
  const std::u16string user = kUtf8Text ? u"\u0141ukasz" : u"J\u00FCrgen";
  const std::u16string city = kUtf8Text ? u"\u6771\u4EAC" : u"S\u00E3o Paulo";
  const std::u16string name = kUtf8Text ? u"\u0141\u00F3d\u017A" : u"Cr\u00E8me";
  const std::u16string title = u"\u00C9t\u00E9 \u00A9";
  const fs::path base = fs::path(dir.Path()) / user / city;
  fs::create_directories(base / "Templates");
  fs::create_directories(base / "Groups");
  const KeywordLibrary library(dir.Path() + Text(user) + kPathSeparator + Text(city) + kPathSeparator);

  ASSERT_TRUE(library.SaveTemplate(
      Text(name).c_str(), RecordOf({Text(name + u"; ").c_str(), Text(title).c_str(), "", "", "", ""})));
  EXPECT_EQ(ReadAt(base / "Templates" / (name + u".tmp")),
            Lines({"Copyright=", "Description=", ("Keywords=" + Text(name + u"; ")).c_str(),
                   "Photographer=", ("Title=" + Text(title)).c_str(), "URL="}));
  TextList list;
  library.ListTemplates(list);
  EXPECT_EQ(list, TextList{Text(name)});
  FileInfoRecord record{};
  ASSERT_TRUE(library.LoadTemplate(Text(name).c_str(), record));
  EXPECT_EQ(std::string(record.title), Text(title));

  library.CreateFolder(Text(city).c_str(), kGroupFolder);
  ASSERT_TRUE(library.SaveGroup(Text(city).c_str(), Text(name).c_str(), Text(title).c_str()));
  EXPECT_TRUE(fs::exists(base / "Groups" / city / (name + u".tmp")));
  list.clear();
  library.ListGroups(list);
  EXPECT_EQ(list, (TextList{ListHeader(Text(city)), Text(name)}));
  char keywords[kKeywordTextSize] = "";
  ASSERT_TRUE(library.LoadGroup(Text(city).c_str(), Text(name).c_str(), keywords, sizeof keywords));
  EXPECT_EQ(std::string(keywords), Text(title));
  EXPECT_TRUE(library.DeleteEntryFile(Text(city).c_str(), Text(name).c_str(), kGroupEntry));
  EXPECT_TRUE(library.RemoveFolder(Text(city).c_str(), kGroupEntry));
  EXPECT_FALSE(fs::exists(base / "Groups" / city));

  KeywordLibrary recent(library.Root());
  ASSERT_TRUE(recent.SaveRecent(RecordOf({"", Text(title).c_str(), "", "", "", ""})));
  ASSERT_TRUE(recent.LoadRecent());
  recent.GetRecentValues(31000, list);
  EXPECT_EQ(list, TextList{Text(title)});
  EXPECT_EQ(ReadAt(base / "Recent.dat").rfind("Title=" + Text(title) + kLineEnd, 0), 0u);
}

// What the plug-in's text cannot hold (the 32-bit module, a name outside its code page) is not
// listed: a look-alike name would open nothing, or another template.
TEST_F(LibraryTest, ListsWhatItsTextCanNameAndNothingElse) {
  const fs::path root(dir.Path());
  for (const char16_t* name : {u"Templates/Caf\u00E9.tmp", u"Templates/\u0141\u00F3d\u017A.tmp",
                               u"Templates/Lodz.tmp", u"Groups/\u6771\u4EAC/Krak\u00F3w.tmp"}) {
    fs::create_directories((root / name).parent_path());
    std::ofstream(root / name, std::ios::binary) << "Keywords=k\n";
  }
  TextList templates, groups;
  library.ListTemplates(templates);
  std::sort(templates.begin(), templates.end());
  library.ListGroups(groups);
  if (kUtf8Text) {
    EXPECT_EQ(templates, (TextList{Text(u"Caf\u00E9"), "Lodz", Text(u"\u0141\u00F3d\u017A")}));
    EXPECT_EQ(groups, (TextList{ListHeader(Text(u"\u6771\u4EAC")), Text(u"Krak\u00F3w")}));
  } else {
    EXPECT_EQ(templates, (TextList{"Caf\xE9", "Lodz"}));
    EXPECT_EQ(groups, TextList{});
  }
}

// Files that an earlier x64 version wrote in the ANSI code page (1252 here) read as the same
// characters; the next save writes the plug-in's text.
TEST_F(LibraryTest, ReadsTheAnsiFilesOfAnEarlierVersion) {
  dir.Write("Templates/Old.tmp", "Title=\xC9t\xE9\r\nKeywords=caf\xE9; na\xEFve; \r\n");
  dir.Write("Groups/Old.tmp", "Keywords=\xA9 Me; \r\n");
  dir.Write("Recent.dat", "Title=\xC9t\xE9|Caf\xE9\r\nPhotographer=\r\n");
  FileInfoRecord record{};
  ASSERT_TRUE(library.LoadTemplate("Old", record));
  EXPECT_EQ(std::string(record.title), Text(u"\u00C9t\u00E9"));
  EXPECT_EQ(std::string(record.keywords), Text(u"caf\u00E9; na\u00EFve; "));
  char keywords[kKeywordTextSize] = "";
  ASSERT_TRUE(library.LoadGroup("", "Old", keywords, sizeof keywords));
  EXPECT_EQ(std::string(keywords), Text(u"\u00A9 Me; "));
  ASSERT_TRUE(library.LoadRecent());
  TextList values;
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, (TextList{Text(u"\u00C9t\u00E9"), Text(u"Caf\u00E9")}));
  ASSERT_TRUE(library.SaveRecent(RecordOf({"", "Dawn", "", "", "", ""})));
  EXPECT_EQ(dir.Read("Recent.dat").rfind("Title=Dawn|" + Text(u"\u00C9t\u00E9|Caf\u00E9") + kLineEnd, 0), 0u);
}

}  // namespace
