// The move of a user's library from the classic root into the per-user root: everything of the
// user's arrives byte for byte, the classic root is never changed, and a copy that breaks off at
// any step leaves no root and is done again, whole, on the next try.
#include "library_migration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "keyword_library.h"
#include "spell_service.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;  // relative path -> bytes, or "<folder>"

Tree Snapshot(const std::string& root) {
  Tree tree;
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    const std::string relative = fs::relative(it->path(), root).generic_string();
    if (it->is_directory()) {
      tree[relative] = "<folder>";
    } else {
      std::ifstream in(it->path(), std::ios::binary);
      tree[relative] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return tree;
}

// Count the steps of a migration, failing the one numbered gFailAt (from 0); or fail every step
// of one kind.
int gSteps = 0;
int gFailAt = -1;
bool FailNth(MigrationStep, const std::string&) {
  return gSteps++ == gFailAt;
}
MigrationStep gFailStep = MigrationStep::kClearStaging;
bool FailStep(MigrationStep step, const std::string&) {
  return step == gFailStep;
}

class MigrationTest : public ::testing::Test {
 protected:
  MigrationTest() {
    dir.MakeDir("AppData");
    // What a user's library holds, with bytes that text mode would change.
    dir.Write("System/kwTemplates/Templates/Studio.tmp", "Title=Dawn\r\nKeywords=fog; lake; \r\n");
    dir.Write("System/kwTemplates/Templates/Last.tmp", "Title=Harbour\r\n\x1a tail\n");
    dir.Write("System/kwTemplates/Templates/Old/Kept.tmp", "Title=Kept\r\n");
    dir.Write("System/kwTemplates/Groups/Birds.tmp", "Keywords=owl; hawk; \r\n");
    dir.Write("System/kwTemplates/Groups/Nature/Trees.tmp", "Keywords=oak; ash; \r\n");
    dir.MakeDir("System/kwTemplates/Groups/Empty");
    dir.Write("System/kwTemplates/Recent.dat", "Title=Dawn|Harbour\r\nPhotographer=\r\n");
    dir.Write("System/kwTemplates/SavedWords.dat", std::string("qwixel") + kLineEnd);
    // Not the user's: the machine-wide dictionaries and a save's leftover.
    dir.Write("System/kwTemplates/en_US.aff", "");
    dir.Write("System/kwTemplates/en_US.dic", "1\nlake\n");
    dir.Write("System/kwTemplates/Groups/Birds.tmp.new", "Keywords=half");
    classic = ClassicLibraryRoot(dir.Path() + "System");
    user = UserLibraryRoot(dir.Path() + "AppData");
    before = Snapshot(classic);
    expected = before;
    for (const char* other : {"en_US.aff", "en_US.dic", "Groups/Birds.tmp.new"}) expected.erase(other);
  }
  ~MigrationTest() override {
    SetMigrationFault(nullptr);
    ReleaseSharedSpellService();
  }
  void ExpectNoRoot(const std::string& what) {
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates")) << what;
    EXPECT_EQ(Snapshot(classic), before) << what;
  }

  TempFolder dir;
  std::string classic, user;
  Tree before, expected;
};

TEST_F(MigrationTest, CopiesTheUsersLibraryWholeAndLeavesTheClassicRootAsItWas) {
  EXPECT_EQ(classic, dir.Path() + "System" + kPathSeparator + "kwTemplates" + kPathSeparator);
  EXPECT_EQ(user, dir.Path() + "AppData" + kPathSeparator + "Tavimor" + kPathSeparator + "kwTemplates" +
                      kPathSeparator);
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
  EXPECT_EQ(Snapshot(classic), before);
  EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates.new"));

  // The library works on the new root as on the old one.
  KeywordLibrary library(user);
  TextList groups;
  library.ListGroups(groups);
  std::sort(groups.begin(), groups.end());
  EXPECT_EQ(groups, (TextList{"Birds", "Trees", "_Empty", "_Nature"}));

  // Once there, the root is the user's: later changes to the classic root are not copied.
  dir.Write("System/kwTemplates/Templates/Later.tmp", "Title=Later\r\n");
  EXPECT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
}

TEST_F(MigrationTest, ACopyBrokenOffAtAnyStepLeavesNoRootAndIsDoneAgainWhole) {
  gSteps = 0;
  gFailAt = -1;  // count only
  SetMigrationFault(FailNth);
  ASSERT_TRUE(MigrateLibrary({classic}, dir.Path() + "Counted" + kPathSeparator));
  const int steps = gSteps;
  ASSERT_GT(steps, 10);
  for (int failAt = 0; failAt < steps; ++failAt) {
    const std::string what = "failing step " + std::to_string(failAt);
    gSteps = 0;
    gFailAt = failAt;
    EXPECT_FALSE(MigrateLibrary({classic}, user)) << what;
    ExpectNoRoot(what);
    // The staging folder the broken copy left is cleared; the next try copies everything.
    SetMigrationFault(nullptr);
    ASSERT_TRUE(MigrateLibrary({classic}, user)) << what;
    EXPECT_EQ(Snapshot(user), expected) << what;
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates.new")) << what;
    fs::remove_all(dir.Path() + "AppData/Tavimor");
    SetMigrationFault(FailNth);
  }

  // A stale staging folder that cannot be cleared stops the copy; once it can, it goes.
  dir.Write("AppData/Tavimor/kwTemplates.new/Templates/Half.tmp", "Title=Ha");
  gFailStep = MigrationStep::kClearStaging;
  SetMigrationFault(FailStep);
  EXPECT_FALSE(MigrateLibrary({classic}, user));
  ExpectNoRoot("staging not cleared");
  SetMigrationFault(nullptr);
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
}

TEST_F(MigrationTest, RootsOfALoadFallBackToTheClassicRootUntilTheCopyIsDone) {
  gFailStep = MigrationStep::kPutInPlace;
  SetMigrationFault(FailStep);
  LibraryRoots roots = PerUserLibraryRoots(classic, {classic}, user);
  EXPECT_EQ(roots.root, classic);
  EXPECT_EQ(roots.dictionaries, "");
  SetMigrationFault(nullptr);
  roots = PerUserLibraryRoots(classic, {classic}, user);
  EXPECT_EQ(roots.root, user);
  EXPECT_EQ(roots.dictionaries, classic);
  EXPECT_EQ(PerUserLibraryRoots(classic, {classic}, UserLibraryRoot("")).root, classic);

  // No classic root at all: the user gets an empty library of the same layout.
  dir.MakeDir("Other");
  const std::string fresh = UserLibraryRoot(dir.Path() + "Other");
  const std::string nowhere = dir.Path() + "Nowhere" + kPathSeparator;
  EXPECT_EQ(PerUserLibraryRoots(nowhere, {nowhere}, fresh).root, fresh);
  EXPECT_EQ(Snapshot(fresh), (Tree{{"Groups", "<folder>"}, {"Templates", "<folder>"}}));
}

void WriteAt(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// On 64-bit Windows the 32-bit module's library lay in the 32-bit system folder, with what a
// standard user saved there in the user's virtual store in front of it. The move takes both, the
// virtual store's copy of a file first, and the classic root last.
TEST_F(MigrationTest, TakesThe32BitLibraryWithTheVirtualStoreInFront) {
  const char s = kPathSeparator;
  const std::string wow64 = dir.Path() + "Windows" + s + "SysWOW64";
  const std::string local = dir.Path() + "Local";
  const std::vector<std::string> roots = EarlierLibraryRoots(classic, wow64, local);
  const std::string redirected = wow64 + s + "kwTemplates" + s;
  ASSERT_EQ(roots.size(), 3u);
  const std::string store = roots[0];  // the store's path, less the drive (checked below)
  EXPECT_EQ(store.rfind(local + s + "VirtualStore" + s, 0), 0u);
  EXPECT_EQ(roots[1], redirected);
  EXPECT_EQ(roots[2], classic);
  // A drive is left out of the store's path; without a 32-bit system folder only the classic
  // root is left, and without the local folder no store.
  EXPECT_EQ(EarlierLibraryRoots(classic, "C:" + std::string(1, s) + "Win", local)[0],
            local + s + "VirtualStore" + s + "Win" + s + "kwTemplates" + s);
  EXPECT_EQ(EarlierLibraryRoots(classic, "", local), std::vector<std::string>{classic});
  EXPECT_EQ(EarlierLibraryRoots(classic, wow64, ""), (std::vector<std::string>{redirected, classic}));

  WriteAt(redirected + "Templates/Studio.tmp", "Title=Machine\r\n");
  WriteAt(redirected + "Templates/Mine.tmp", "Title=Before\r\n");
  WriteAt(redirected + "Groups/Birds.tmp", "Keywords=crow; \r\n");
  WriteAt(redirected + "SavedWords.dat", std::string("wowword") + kLineEnd);
  WriteAt(store + "Templates/Mine.tmp", "Title=Mine\r\n");
  WriteAt(store + "Groups/Nature/Moss.tmp", "Keywords=moss; \r\n");
  WriteAt(store + "Recent.dat", "Title=Mine\r\n");
  const Tree storeBefore = Snapshot(store), redirectedBefore = Snapshot(redirected);

  ASSERT_TRUE(MigrateLibrary(roots, user));
  Tree merged = expected;
  merged["Templates/Studio.tmp"] = "Title=Machine\r\n";
  merged["Templates/Mine.tmp"] = "Title=Mine\r\n";
  merged["Groups/Birds.tmp"] = "Keywords=crow; \r\n";
  merged["Groups/Nature/Moss.tmp"] = "Keywords=moss; \r\n";
  merged["Recent.dat"] = "Title=Mine\r\n";
  merged["SavedWords.dat"] = std::string("wowword") + kLineEnd;
  EXPECT_EQ(Snapshot(user), merged);
  EXPECT_EQ(Snapshot(store), storeBefore);
  EXPECT_EQ(Snapshot(redirected), redirectedBefore);
  EXPECT_EQ(Snapshot(classic), before);
}

// The dictionaries come from the per-user root when it has them, else from the machine-wide
// folder; the user word list always lives in the per-user root.
TEST_F(MigrationTest, DictionariesFallBackToTheMachineWideFolder) {
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  ReleaseSharedSpellService();
  KeywordLibrary library(user, classic);
  EXPECT_TRUE(library.IsWordCorrect("lake"));
  EXPECT_TRUE(library.IsWordCorrect("qwixel"));  // from the copied SavedWords.dat
  library.AddWordToDictionary("zorbit");
  EXPECT_EQ(dir.Read("AppData/Tavimor/kwTemplates/SavedWords.dat"),
            std::string("qwixel") + kLineEnd + "zorbit" + kLineEnd);
  EXPECT_EQ(Snapshot(classic), before);

  dir.Write("AppData/Tavimor/kwTemplates/dic/en_US.aff", "");
  dir.Write("AppData/Tavimor/kwTemplates/dic/en_US.dic", "1\nfog\n");
  ReleaseSharedSpellService();
  EXPECT_TRUE(library.IsWordCorrect("fog"));
  EXPECT_FALSE(library.IsWordCorrect("lake"));
}

}  // namespace
