// The library on the real file system (under Wine in the Windows build).
#include "keyword_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace {

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
  EXPECT_EQ(std::string(ModuleKeywordLibrary().Root()), user);
  EXPECT_EQ(std::string(ModuleKeywordLibrary().DictionaryFolder()), classic);
  EXPECT_TRUE(PathExists(user + "Templates") && PathExists(user + "Groups"));
  if (!existed) std::filesystem::remove_all(user);
#else
  EXPECT_EQ(std::string(ModuleKeywordLibrary().Root()), classic);
  EXPECT_EQ(std::string(ModuleKeywordLibrary().DictionaryFolder()), "");
#endif
  EXPECT_EQ(&ModuleKeywordLibrary(), &ModuleKeywordLibrary());
}

TEST_F(LibraryTest, TemplateRoundTrip) {
  ASSERT_TRUE(library.SaveTemplate("Studio", "fog; lake; ", "Dawn", "", "Lake", "Free use", ""));
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
  EXPECT_FALSE(library.SaveTemplate("", "k", "t", "p", "d", "c", "u"));
}

TEST_F(LibraryTest, LoadTemplateCutsOverlongValuesAndLeavesOutputOnFailure) {
  dir.Write("Templates/Hand.tmp", "Title=" + std::string(400, 't') + "\nURL=x\n");
  FileInfoRecord record;
  ClearFileInfo(record);
  ASSERT_TRUE(library.LoadTemplate("Hand", record));
  EXPECT_EQ(std::string(record.title), std::string(kTitleSize - 1, 't'));
  EXPECT_STREQ(record.url, "x");
  EXPECT_STREQ(record.keywords, "");
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

TEST_F(LibraryTest, ListTemplatesHidesOnlyLast) {
  library.SaveTemplate("Last", "", "", "", "", "", "");
  library.SaveTemplate("Studio", "", "", "", "", "", "");
  dir.Write("Templates/notes.txt", "x");
  dir.MakeDir("Templates/Folder.tmp");
  TextList list = {"kept"};
  library.ListTemplates(list);
  EXPECT_EQ(list, (TextList{"kept", "Studio"}));
  // Only the exact name is hidden: another case is a template of its own.
  library.DeleteEntryFile("", "Last", kTemplateEntry);
  library.SaveTemplate("last", "", "", "", "", "", "");
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
  EXPECT_EQ(list, (TextList{"summer.2005", "B", "A", "_Empty", "_Nature", "Birds"}));
#else
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (TextList{"A", "B", "Birds", "_Empty", "_Nature", "summer.2005"}));
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
    EXPECT_FALSE(library.SaveTemplate(bad, "k", "t", "p", "d", "c", "u"));
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
  EXPECT_TRUE(library.SaveTemplate("v1.0 ...final", "k", "", "", "", "", ""));
  EXPECT_TRUE(library.LoadTemplate("v1.0 ...final", record));
  EXPECT_STREQ(record.keywords, "k");
}

TEST_F(LibraryTest, RecentValuesRoundTrip) {
  TextList values = {"stale"};
  EXPECT_FALSE(library.LoadRecent());
  EXPECT_TRUE(library.GetRecentValues(31000, values));
  EXPECT_TRUE(values.empty());
  ASSERT_TRUE(library.SaveRecent("", "Dawn", "", "", "", ""));
  EXPECT_EQ(dir.Read("Recent.dat"),
            Lines({"Title=Dawn", "Photographer=", "Description=", "Keywords=", "Copyright=", "URL="}));
  ASSERT_TRUE(library.LoadRecent());
  ASSERT_TRUE(library.SaveRecent("fog; lake; ", "Lake|Harbour", "", "", "\xA9 Me", "http://x"));
  // SaveRecent leaves the table alone until the next load.
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, (TextList{"Dawn"}));
  ASSERT_TRUE(library.LoadRecent());
  library.GetRecentValues(31000, values);
  EXPECT_EQ(values, (TextList{"Lake", "Harbour", "Dawn"}));
  library.GetRecentValues(34999, values);
  EXPECT_EQ(values, (TextList{"fog; lake"}));
  library.GetRecentValues(35000, values);
  EXPECT_EQ(values, (TextList{"\xA9 Me"}));
  library.GetRecentValues(37000, values);
  EXPECT_TRUE(values.empty());
  library.GetRecentValues(30500, values);
  EXPECT_TRUE(values.empty());
}

}  // namespace
