// Every file the plug-in rewrites (a template, a group, Recent.dat, SavedWords.dat) is written
// beside the old one and only then put in its place: whichever step fails, and wherever the
// program dies, the previous file stays whole, and what is left beside it is never read as data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "keyword_library.h"
#include "language_services.h"
#include "temp_folder.h"
#include "file_info_record.h"

namespace {

constexpr ReplaceStep kSteps[] = {ReplaceStep::kCreate, ReplaceStep::kWrite, ReplaceStep::kFlush,
                                  ReplaceStep::kClose, ReplaceStep::kPutInPlace};

const char* StepName(ReplaceStep step) {
  switch (step) {
    case ReplaceStep::kCreate:
      return "create";
    case ReplaceStep::kWrite:
      return "write";
    case ReplaceStep::kFlush:
      return "flush";
    case ReplaceStep::kClose:
      return "close";
    case ReplaceStep::kPutInPlace:
      return "put in place";
  }
  return "?";
}

// The step the hooks below act on.
ReplaceStep gStep = ReplaceStep::kCreate;
bool FailStep(ReplaceStep step, const std::string&) {
  return step == gStep;
}
constexpr int kDiedCode = 7;
bool DieAtStep(ReplaceStep step, const std::string&) {
  if (step == gStep) std::_Exit(kDiedCode);  // no clean-up of any kind, as in a crash
  return false;
}

// One kind of rewrite: save(n) writes the n-th version of the file; load() reads it back the way
// the plug-in does, as text to compare.
struct Rewrite {
  const char* name;
  std::string file;  // relative to the library root
  std::function<bool(KeywordLibrary&, int)> save;
  std::function<std::string(KeywordLibrary&)> load;
  bool reportsFailure;  // adding a word answers true whatever happens to the file
};

void PrintTo(const Rewrite& rewrite, std::ostream* out) {
  *out << rewrite.name;
}

std::string Version(const char* stem, int n) {
  return stem + std::to_string(n);
}

std::string SavedWord(int n) {
  return "word" + std::string(1, static_cast<char>('a' + n));  // letters only: a word as users add it
}

std::vector<Rewrite> Rewrites() {
  const std::string sep(1, kPathSeparator);
  return {
      {"template", "Templates" + sep + "Studio.tmp",
       [](KeywordLibrary& library, int n) {
         return library.SaveTemplate(
             "Studio", RecordOf({Version("fog; lake", n).c_str(), Version("Dawn ", n).c_str(), "Ann", "Lake",
                                 "Free use", ""}));
       },
       [](KeywordLibrary& library) {
         FileInfoRecord record;
         ClearFileInfo(record);
         if (!library.LoadTemplate("Studio", record)) return std::string("<none>");
         return std::string(record.keywords) + "|" + record.title + "|" + record.photographer;
       },
       true},
      {"top-level group", "Groups" + sep + "Birds.tmp",
       [](KeywordLibrary& library, int n) {
         return library.SaveGroup(kDefaultFolder, "Birds", Version("owl; hawk", n).c_str());
       },
       [](KeywordLibrary& library) {
         char keywords[kKeywordTextSize] = "";
         return library.LoadGroup("", "Birds", keywords, sizeof keywords) ? std::string(keywords) : "<none>";
       },
       true},
      {"group in a folder", "Groups" + sep + "Nature" + sep + "Trees.tmp",
       [](KeywordLibrary& library, int n) {
         return library.SaveGroup("Nature", "Trees", Version("oak; ash", n).c_str());
       },
       [](KeywordLibrary& library) {
         char keywords[kKeywordTextSize] = "";
         return library.LoadGroup("Nature", "Trees", keywords, sizeof keywords) ? std::string(keywords)
                                                                                : "<none>";
       },
       true},
      {"Recent.dat", "Recent.dat",
       [](KeywordLibrary& library, int n) {
         library.LoadRecent();
         return library.SaveRecent(
             RecordOf({Version("k", n).c_str(), Version("Title ", n).c_str(), "", "", "", ""}));
       },
       [](KeywordLibrary& library) {
         if (!library.LoadRecent()) return std::string("<none>");
         TextList titles;
         library.GetRecentValues(31000, titles);
         std::string text;
         for (const std::string& title : titles) text += title + "|";
         return text;
       },
       true},
      {"SavedWords.dat", "SavedWords.dat",
       [](KeywordLibrary& library, int n) { return library.AddWordToDictionary(SavedWord(n).c_str()); },
       [](KeywordLibrary& library) {
         // A fresh service reads the file; the test speller knows none of these words.
         LanguageServices fresh(library.Root());
         std::string known;
         for (int n = 0; n < 20; ++n) {
           if (fresh.IsWordCorrect(SavedWord(n).c_str())) known += SavedWord(n) + "|";
         }
         return known;
       },
       false},
  };
}

class SafeFilesTest : public ::testing::TestWithParam<Rewrite> {
 protected:
  SafeFilesTest() : library(dir.Path()) {
    library.UseLanguageServices(language);
    dir.MakeDir("Templates");
    dir.MakeDir("Groups/Nature");
    dir.Write("en_US.aff", "");
    dir.Write("en_US.dic", "1\nlake\n");
  }
  ~SafeFilesTest() override { SetReplaceFault(nullptr); }

  // The first version on disk, as bytes, as loaded, and the library's listings beside it.
  void SaveFirst() {
    ASSERT_TRUE(GetParam().save(library, next++));
    bytes = dir.Read(GetParam().file);
    ASSERT_NE(bytes, "<missing>");
    loaded = GetParam().load(library);
    listed = Listings();
  }
  std::string Listings() {
    TextList templates, groups;
    library.ListTemplates(templates);
    library.ListGroups(groups);
    std::sort(templates.begin(), templates.end());
    std::sort(groups.begin(), groups.end());
    std::string text;
    for (const std::string& name : templates) text += name + ",";
    text += ";";
    for (const std::string& name : groups) text += name + ",";
    return text;
  }
  // The previous file is whole and is what the plug-in reads; nothing beside it is listed.
  void ExpectPreviousIntact(const std::string& what) {
    EXPECT_EQ(dir.Read(GetParam().file), bytes) << what;
    EXPECT_EQ(GetParam().load(library), loaded) << what;
    EXPECT_EQ(Listings(), listed) << what;
  }
  // A later save goes through and leaves nothing beside the file.
  void ExpectNextSaveSucceeds(const std::string& what) {
    const int n = next++;
    ASSERT_TRUE(GetParam().save(library, n)) << what;
    EXPECT_NE(dir.Read(GetParam().file), bytes) << what;
    EXPECT_NE(GetParam().load(library), loaded) << what;
    EXPECT_FALSE(dir.Exists(GetParam().file + kNewFileSuffix)) << what;
    EXPECT_EQ(Listings(), listed) << what;
  }

  TempFolder dir;
  LanguageServices language{dir.Path()};
  KeywordLibrary library;
  int next = 1;
  std::string bytes, loaded, listed;
};

TEST_P(SafeFilesTest, EachFailingStepKeepsThePreviousFile) {
  SaveFirst();
  for (const ReplaceStep step : kSteps) {
    const std::string what = std::string(GetParam().name) + ", failing " + StepName(step);
    gStep = step;
    SetReplaceFault(FailStep);
    const bool saved = GetParam().save(library, next++);
    SetReplaceFault(nullptr);
    if (GetParam().reportsFailure) {
      EXPECT_FALSE(saved) << what;
    }
    EXPECT_FALSE(dir.Exists(GetParam().file + kNewFileSuffix)) << what;
    ExpectPreviousIntact(what);
  }
  ExpectNextSaveSucceeds(GetParam().name);
}

// Where the death tests' children work: the parent's folder. A child may be a fresh run of the
// whole test (always under Windows), with a folder of its own that it gives up first.
constexpr const char* kRootVariable = "SAFE_FILES_TEST_ROOT";

void SetChildRoot(const std::string& root) {
#ifdef _WIN32
  SetEnvironmentVariableA(kRootVariable, root.c_str());
#else
  setenv(kRootVariable, root.c_str(), 1);
#endif
}

void SaveAndDie(const Rewrite& rewrite, int n, ReplaceStep step, const std::string& ownRoot) {
  const char* root = std::getenv(kRootVariable);
  if (root == nullptr) std::_Exit(1);
  if (ownRoot != root) {
    std::error_code ignored;
    std::filesystem::remove_all(ownRoot.substr(0, ownRoot.size() - 1), ignored);
  }
  KeywordLibrary library(root);
  LanguageServices language(root);
  library.UseLanguageServices(language);
  gStep = step;
  SetReplaceFault(DieAtStep);
  rewrite.save(library, n);
  std::_Exit(0);
}

// The program dies before each step; the next load sees the previous file, and the next save
// replaces whatever the dead one left beside it.
TEST_P(SafeFilesTest, DyingAtEachStepKeepsThePreviousFile) {
  SaveFirst();
  SetChildRoot(dir.Path());
  for (const ReplaceStep step : kSteps) {
    const std::string what = std::string(GetParam().name) + ", dying at " + StepName(step);
    EXPECT_EXIT(SaveAndDie(GetParam(), next++, step, dir.Path()), ::testing::ExitedWithCode(kDiedCode), "")
        << what;
    // Once created, the replacement stays behind: the child worked on this folder.
    EXPECT_EQ(dir.Exists(GetParam().file + kNewFileSuffix), step != ReplaceStep::kCreate) << what;
    ExpectPreviousIntact(what);
  }
  ExpectNextSaveSucceeds(GetParam().name);
}

// What a crash in the middle of writing leaves: a partial replacement beside the real file.
TEST_P(SafeFilesTest, PartialReplacementLeftBesideIsIgnoredAndReplaced) {
  SaveFirst();
  dir.Write(GetParam().file + kNewFileSuffix, bytes.substr(0, bytes.size() / 2));
  ExpectPreviousIntact(GetParam().name);
  ExpectNextSaveSucceeds(GetParam().name);
}

#ifdef _WIN32
// Another program holding the file open without sharing: the new file cannot be put in its place.
TEST_P(SafeFilesTest, FileHeldOpenElsewhereKeepsThePreviousFile) {
  SaveFirst();
  const std::string path = dir.Path() + GetParam().file;
  const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const bool saved = GetParam().save(library, next++);
  EXPECT_FALSE(dir.Exists(GetParam().file + kNewFileSuffix));
  CloseHandle(held);
  if (GetParam().reportsFailure) {
    EXPECT_FALSE(saved);
  }
  ExpectPreviousIntact(GetParam().name);
  ExpectNextSaveSucceeds(GetParam().name);
}
#endif

INSTANTIATE_TEST_SUITE_P(Rewrites, SafeFilesTest, ::testing::ValuesIn(Rewrites()),
                         [](const ::testing::TestParamInfo<Rewrite>& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
