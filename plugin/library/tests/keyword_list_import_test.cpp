// Keyword lists into the group library and back out, the names Windows can hold and the synonyms
// a group keeps (the 64-bit builds' library; natively and under Wine).
#include "keyword_list_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "file_names.h"
#include "file_system.h"
#include "group_file.h"
#include "keyword_library.h"
#include "plugin_text.h"
#include "temp_folder.h"
#include "utf8_text.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCases = LIBRARY_CASES;

std::string CaseFile(const std::string& name) {
  return ReadAt(kCases / name);
}

// A path as UTF-8, whatever the system's narrow text.
std::string Utf8Path(const fs::path& path) {
#ifdef _WIN32
  const std::wstring wide = path.generic_wstring();
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
#else
  return path.generic_string();
#endif
}

// Every file under Groups, by its path, and what it holds (line ends as LF).
std::string Dump(const TempFolder& dir) {
  std::vector<std::string> files;
  const fs::path groups = fs::path(dir.Path()) / "Groups";
  for (const auto& entry : fs::recursive_directory_iterator(groups)) {
    const std::string relative = Utf8Path(fs::relative(entry.path(), groups));
    files.push_back(entry.is_directory() ? relative + "/\n" : relative + "\n" + ReadAt(entry.path()));
  }
  std::sort(files.begin(), files.end());
  std::string out;
  for (const std::string& file : files) out += file;
  out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
  return out;
}

class KeywordListTest : public ::testing::Test {
 protected:
  KeywordListTest() { dir.MakeDir("Groups"); }
  void SetUp() override {
    if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build has no keyword lists";
  }
  TempFolder dir;
  KeywordLibrary library{dir.Path()};
};

// Each case: a list, the library it makes (.library), and the list an export writes (.export; the
// list itself where the case has none). Exporting what was imported, and importing that export
// into an empty library, give back the same.
TEST_F(KeywordListTest, CasesImportExportAndComeBack) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build has no keyword lists";
  for (const char* name : {"hierarchy", "messy", "names"}) {
    SCOPED_TRACE(name);
    TempFolder first, second;
    first.MakeDir("Groups");
    second.MakeDir("Groups");
    const KeywordLibrary one(first.Path()), two(second.Path());
    std::string text;
    ASSERT_TRUE(ReadTextFile((kCases / (std::string(name) + ".txt")).string(), text));
    ImportKeywordList(one, text);
    EXPECT_EQ(Dump(first), CaseFile(std::string(name) + ".library"));
    const std::string exported = ExportKeywordList(one);
    const bool exact = !fs::exists(kCases / (std::string(name) + ".export"));
    EXPECT_EQ(exported, CaseFile(std::string(name) + (exact ? ".txt" : ".export")));
    const ImportReport again = ImportKeywordList(two, exported);
    EXPECT_TRUE(again.notUnderstood.empty());
    EXPECT_EQ(Dump(second), Dump(first));
    EXPECT_EQ(ExportKeywordList(two), exported);
  }
}

TEST_F(KeywordListTest, ReportCountsAndNamesTheLinesNotUnderstood) {
  std::string text;
  ASSERT_TRUE(ReadTextFile((kCases / "messy.txt").string(), text));
  const ImportReport report = ImportKeywordList(library, text);
  EXPECT_EQ(report.folders, 1u);
  EXPECT_EQ(report.groups, 2u);
  EXPECT_EQ(report.keywords, 4u);  // Trees, Oak, Café tree; Pine
  EXPECT_EQ(report.synonyms, 1u);
  std::string lines;
  for (const KeywordListLine& line : report.notUnderstood)
    lines += std::to_string(line.number) + ":" + line.text + "|";
  EXPECT_EQ(lines, "5:\t\t\t\tToo deep|6:Smith, John|7:Under him|9:{A;B}|");
  EXPECT_EQ(ImportMessage(report),
            "Imported 1 new folder, 2 new groups, 4 keywords and 1 synonym.\n"
            "4 lines were not understood and left out; the error log names them.");
}

// A group of the same path gains what it lacks; nothing is removed or written over, and a second
// import of the same list brings nothing.
TEST_F(KeywordListTest, ImportMergesIntoTheGroupsThereAlready) {
  dir.Write("Groups/Animals/Birds.tmp", "Keywords=Owl; kiwi; \nName=x\n");
  dir.Write("Groups/Animals/Animals.tmp", "Keywords=Bat; \n");
  const std::string list = "Animals\n\tBirds\n\t\tOwl\n\t\t\t{Strix}\n\t\tWren\n\tMole\n";
  ImportReport report = ImportKeywordList(library, list);
  EXPECT_EQ(report.folders, 0u);
  EXPECT_EQ(report.groups, 0u);
  EXPECT_EQ(report.mergedGroups, 2u);
  EXPECT_EQ(report.keywords, 3u);  // Birds and Wren, Mole
  EXPECT_EQ(report.synonyms, 1u);
  EXPECT_EQ(dir.Read("Groups/Animals/Animals.tmp"), "Keywords=Bat; Mole; " + std::string(kLineEnd));
  EXPECT_NE(dir.Read("Groups/Animals/Birds.tmp").find("Keywords=Owl; kiwi; Birds; Wren; "),
            std::string::npos);
  const std::string before = Dump(dir);
  report = ImportKeywordList(library, list);
  EXPECT_EQ(report.keywords + report.synonyms + report.groups + report.mergedGroups, 0u);
  EXPECT_EQ(Dump(dir), before);
  EXPECT_EQ(ImportMessage(report), "Imported 0 new folders, 0 new groups, 0 keywords and 0 synonyms.");
}

// A group that cannot be written is named and its old file stays; the message never says it came.
TEST_F(KeywordListTest, AGroupNotWrittenIsReportedAndItsFileKept) {
  dir.Write("Groups/Animals/Birds.tmp", "Keywords=Owl; \n");
  SetReplaceFault([](ReplaceStep step, const std::string& path) {
    return step == ReplaceStep::kWrite && path.find("Birds") != std::string::npos;
  });
  const ImportReport report = ImportKeywordList(library, "Animals\n\tBirds\n\t\tWren\n\tCats\n\t\tLion\n");
  SetReplaceFault(nullptr);
  EXPECT_EQ(report.notWritten, std::vector<std::string>{std::string("Animals") + kGroupPathMark + "Birds"});
  EXPECT_EQ(report.groups, 1u);
  EXPECT_EQ(report.keywords, 2u);
  EXPECT_EQ(dir.Read("Groups/Animals/Birds.tmp"), "Keywords=Owl; \n");
  EXPECT_FALSE(dir.Exists("Groups/Animals/Birds.tmp.new"));
  EXPECT_NE(ImportMessage(report).find("1 group could not be written:\nAnimals"), std::string::npos);
}

TEST(FileNames, NamesWindowsCannotHoldGetNamesThatReadBack) {
  struct Case {
    const char* name;
    const char* file;
  } cases[] = {
      {"Birds", "Birds"},
      {"Łódź › Old town", "Łódź › Old town"},
      {"a/b\\c:d*e?f\"g<h>i|j", "a%2Fb%5Cc%3Ad%2Ae%3Ff%22g%3Ch%3Ei%7Cj%"},
      {"tab\there", "tab%09here%"},
      {"Ends.", "Ends.%"},
      {"Ends ", "Ends %"},
      {"..", "..%"},
      {"CON", "%43ON%"},
      {"nul.x", "%6Eul.x%"},
      {"Com7", "%43om7%"},
      {"LPT1 .txt", "%4CPT1 .txt%"},
      {"COM0", "COM0"},
      {"CONSOLE", "CONSOLE"},
      {"default folder", "default folder%"},
      {"100%", "100%25%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FileNameFor(c.name, 0), c.file);
    EXPECT_EQ(NameOfFile(c.file), c.name);
  }
  // Names a user gave are never read as made ones.
  for (const char* own : {"100%", "a%41", "x%2", "%", "Birds%#02", "Ends.%2", "a%3A"})
    EXPECT_EQ(NameOfFile(own), own);
  EXPECT_EQ(NameOfFile("Birds%#2"), "Birds");
  // Long names are cut between characters and still end as made names.
  const std::string longName(200, 'x');
  const std::string longer = std::string(kMaxMadeFileName - 1, 'x') + "ł";
  EXPECT_EQ(FileNameFor(longName, 0), std::string(kMaxMadeFileName, 'x') + "%");
  EXPECT_EQ(FileNameFor(longer + "tail", 0), std::string(kMaxMadeFileName - 1, 'x') + "%");
  // In one folder names that differ only by case are numbered.
  EXPECT_EQ(FreeFileName("Birds", {"birds.tmp", "Other.tmp"}, ".tmp"), "Birds%#2");
  EXPECT_EQ(FreeFileName("Birds", {"birds.tmp", "BIRDS%#2.tmp"}, ".tmp"), "Birds%#3");
  EXPECT_EQ(FreeFileName("ZOË", {"zoë"}, ""), "ZOË%#2");
  EXPECT_EQ(FreeFileName("CON", {"con.tmp"}, ".tmp"), "%43ON%");
}

// Menus show the names a group and folder keep; the group commands find them by those names.
TEST_F(KeywordListTest, MadeFileNamesShowAndWorkUnderTheirOwnNames) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build keeps names verbatim";
  ImportKeywordList(library, "Fish: Trout?\n\t<Brown>\n\t\tSea|run\n\tPike\nbirds\n\tz\nBirds\n\tw\n");
  TextList list;
  library.ListGroups(list);
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (TextList{"\x01"
                            "Birds",
                            "\x01"
                            "Fish: Trout?",
                            "\x01"
                            "birds",
                            "<Brown>", "Birds", "Fish: Trout?", "birds"}));
  char keywords[256] = {};
  ASSERT_TRUE(library.LoadGroup("Fish: Trout?", "<Brown>", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "<Brown>; Sea|run; ");
  ASSERT_TRUE(library.LoadGroup("Birds", "Birds", keywords, sizeof keywords));
  EXPECT_STREQ(keywords, "w; ");
  ASSERT_TRUE(library.SaveGroup("Fish: Trout?", "<Brown>", "<Brown>; Sea|run; Lake"));
  EXPECT_NE(dir.Read("Groups/Fish%3A Trout%3F%/%3CBrown%3E%.tmp").find("Lake"), std::string::npos);
  library.DeleteEntryFile("Fish: Trout?", "<Brown>", kGroupEntry);
  library.DeleteEntryFile("Fish: Trout?", "Fish: Trout?", kGroupEntry);
  EXPECT_TRUE(library.RemoveFolder("Fish: Trout?", kGroupEntry));
  EXPECT_FALSE(dir.Exists("Groups/Fish%3A Trout%3F%"));
}

// "Add Keyword's Group" puts each keyword's synonyms after it; saving the box over the group keeps
// the synonyms of the keywords still there, and the words that are those synonyms stay synonyms.
TEST_F(KeywordListTest, GroupsKeepTheirSynonymsThroughTheBox) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build has no synonyms";
  ImportKeywordList(library, "Animals\n\tBirds\n\t\t{Aves}\n\t\tEagle\n\t\t\t{Erne}\n\t\t\t{Ern}\n\t\tOwl\n");
  char box[512] = {};
  ASSERT_TRUE(library.LoadGroup("Animals", "Birds", box, sizeof box));
  EXPECT_STREQ(box, "Birds; Aves; Eagle; Erne; Ern; Owl; ");
  ASSERT_TRUE(library.SaveGroup("Animals", "Birds", "Eagle; Erne; Ern; Owl; Kite; Aves; "));
  ASSERT_TRUE(library.LoadGroup("Animals", "Birds", box, sizeof box));
  // Birds left the box and its synonym with it; "Aves" typed on its own is a keyword now.
  EXPECT_STREQ(box, "Eagle; Erne; Ern; Owl; Kite; Aves; ");
  EntryMap entries;
  ASSERT_TRUE(library.ReadGroupFile("Animals", "Birds", entries));
  EXPECT_EQ(EntryValue(entries, "Synonyms"), "Eagle,Erne,Ern;");
  EXPECT_EQ(EntryValue(entries, "Path"), "Animals;Birds");
  // A group without synonyms keeps its keyword text as typed.
  EXPECT_EQ(SavedGroupEntries({}, "a,b"), (EntryMap{{"Keywords", "a,b"}}));
}

}  // namespace
