// The move of a user's library from the classic root into the per-user root: everything of the
// user's arrives byte for byte, the classic root is never changed, and a copy that breaks off at
// any step leaves no root and is done again, whole, on the next try.
#include "library_migration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

#include "keyword_library.h"
#include "list_header.h"
#include "plugin_text.h"
#include "language_services.h"
#include "temp_folder.h"
#include "utf8_text.h"
#include "file_info_record.h"

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

// Count the steps of a migration, failing the one numbered gFailAt (from 0) and noting it; or fail
// every step of one kind.
int gSteps = 0;
int gFailAt = -1;
MigrationStep gFailed;
std::string gFailedPath;
bool FailNth(MigrationStep step, const std::string& path) {
  if (gSteps++ != gFailAt) return false;
  gFailed = step;
  gFailedPath = path;
  return true;
}
#ifdef _WIN32
// Starts the command line; false when it cannot. The process's handle goes to *handle, or is
// closed without one (Wine gives none, null, for a Unix program).
bool StartProcess(std::string command, HANDLE* handle) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  if (process.hThread) CloseHandle(process.hThread);
  if (handle) {
    *handle = process.hProcess;
  } else if (process.hProcess) {
    CloseHandle(process.hProcess);
  }
  return true;
}
#endif

// A symbolic link to a folder, where the system lets this process make one. Wine makes none
// itself, but shows a Unix symbolic link as a folder link (a reparse point): there the link is
// made by /bin/ln, whose end Wine cannot wait for, so the link is waited for instead.
bool MakeFolderLink(const std::string& target, const std::string& link) {
  std::error_code error;
  fs::create_directories(fs::path(link).parent_path(), error);
#ifdef _WIN32
  using ToUnix = char*(__cdecl*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix) {
    std::string unixPaths[2];
    const std::string paths[2] = {target, link};
    for (int i = 0; i < 2; ++i) {
      char* converted = toUnix(std::wstring(paths[i].begin(), paths[i].end()).c_str());
      if (!converted) return false;
      unixPaths[i] = converted;
      HeapFree(GetProcessHeap(), 0, converted);
    }
    if (!StartProcess("/bin/ln -s \"" + unixPaths[0] + "\" \"" + unixPaths[1] + "\"", nullptr)) return false;
    for (int wait = 0; wait < 200 && !PathExists(link); ++wait) PauseBeforeRetry();
    return PathExists(link);
  }
#endif
  fs::create_directory_symlink(target, link, error);
  return !error && PathExists(link);
}

MigrationStep gFailStep = MigrationStep::kClearStaging;
bool FailStep(MigrationStep step, const std::string&) {
  return step == gFailStep;
}
std::vector<std::string> gLeftBehind;
void NoteLeftBehind(const std::string& path) {
  gLeftBehind.push_back(path);
}
ReplaceStep gFailReplace = ReplaceStep::kFlush;
bool FailReplaceStep(ReplaceStep step, const std::string&) {
  return step == gFailReplace;
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
    SetMigrationReport(nullptr);
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
  EXPECT_EQ(groups, (TextList{ListHeader("Empty"), ListHeader("Nature"), "Birds", "Trees"}));

  // Once there, the root is the user's: later changes to the classic root are not copied.
  dir.Write("System/kwTemplates/Templates/Later.tmp", "Title=Later\r\n");
  EXPECT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
}

// Every failing step (a folder or file that cannot be written, as on a full disk, or the copy
// not put in place) breaks the move off: no root, the earlier root in use and as it was, the
// staging folder kept, nothing named as left behind; the next try clears it and copies everything.
TEST_F(MigrationTest, EachFailingStepBreaksTheMoveOff) {
  gSteps = 0;
  gFailAt = -1;  // count only
  SetMigrationFault(FailNth);
  SetMigrationReport(NoteLeftBehind);
  ASSERT_TRUE(MigrateLibrary({classic}, dir.Path() + "Counted" + kPathSeparator));
  const int steps = gSteps;
  ASSERT_GT(steps, 10);
  for (int failAt = 0; failAt < steps; ++failAt) {
    const std::string what = "failing step " + std::to_string(failAt);
    gSteps = 0;
    gFailAt = failAt;
    gLeftBehind.clear();
    EXPECT_FALSE(MigrateLibrary({classic}, user)) << what;
    ExpectNoRoot(what);
    EXPECT_TRUE(gLeftBehind.empty()) << what;
    EXPECT_EQ(dir.Exists("AppData/Tavimor/kwTemplates.new"), failAt > 0) << what;
    SetMigrationFault(nullptr);
    ASSERT_TRUE(MigrateLibrary({classic}, user)) << what;
    EXPECT_EQ(Snapshot(user), expected) << what;
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates.new")) << what;
    fs::remove_all(dir.Path() + "AppData/Tavimor");
    SetMigrationFault(FailNth);
  }
  SetMigrationFault(nullptr);

  // A copy whose flush fails (a write the disk refuses late) is not written either.
  gFailReplace = ReplaceStep::kFlush;
  SetReplaceFault(FailReplaceStep);
  EXPECT_FALSE(MigrateLibrary({classic}, user));
  SetReplaceFault(nullptr);
  ExpectNoRoot("failing flush");
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
  fs::remove_all(dir.Path() + "AppData/Tavimor");

  // A stale staging folder that cannot be cleared stops the move; once it can, it goes.
  dir.Write("AppData/Tavimor/kwTemplates.new/Templates/Half.tmp", "Title=Ha");
  gFailStep = MigrationStep::kClearStaging;
  SetMigrationFault(FailStep);
  EXPECT_FALSE(MigrateLibrary({classic}, user));
  ExpectNoRoot("staging not cleared");
  SetMigrationFault(nullptr);
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  EXPECT_EQ(Snapshot(user), expected);
}

// Only the holder of the lock beside the root moves; a load that cannot get it leaves the staging
// folder alone, and one that gets it after a finished move finds the root and copies nothing.
TEST_F(MigrationTest, TheMoveIsMadeOnlyUnderTheLock) {
  dir.Write("AppData/Tavimor/kwTemplates.new/Templates/Busy.tmp", "Title=being copied");
  const Tree staged = Snapshot(dir.Path() + "AppData/Tavimor/kwTemplates.new");
  {
    const ExclusiveLock other(dir.Path() + "AppData/Tavimor/kwTemplates.lock");
    ASSERT_TRUE(other.Held());
    EXPECT_FALSE(ExclusiveLock(dir.Path() + "AppData/Tavimor/kwTemplates.lock").Held());
    EXPECT_FALSE(MigrateLibrary({classic}, user, 3));
    EXPECT_EQ(Snapshot(dir.Path() + "AppData/Tavimor/kwTemplates.new"), staged);
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates"));
  }
  ASSERT_TRUE(MigrateLibrary({classic}, user, 3));
  EXPECT_EQ(Snapshot(user), expected);
  dir.Write("System/kwTemplates/Templates/Later.tmp", "Title=Later\r\n");
  {
    const ExclusiveLock lock(dir.Path() + "AppData/Tavimor/kwTemplates.lock");
    EXPECT_TRUE(MigrateLibrary({classic}, user, 3));  // in place: the lock is not even asked for
  }
  EXPECT_EQ(Snapshot(user), expected);
}

// A load that finds another load's move under way does not wait for it (the host's interface
// would freeze): it reads the earlier root and writes nothing there, and its next use after the
// move works on the user's root.
TEST_F(MigrationTest, ALoadNeverWaitsForAnothersMoveAndFollowsItOnceDone) {
  dir.MakeDir("AppData/Tavimor");
  auto other = std::make_unique<ExclusiveLock>(dir.Path() + "AppData/Tavimor/kwTemplates.lock");
  ASSERT_TRUE(other->Held());
  const auto start = std::chrono::steady_clock::now();
  const KeywordLibrary library(PerUserLibraryRoots(classic, {classic}, user));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(std::string(library.Root()), classic);
  TextList templates;
  library.ListTemplates(templates);
  EXPECT_EQ(templates.size(), 1u);  // Studio; Last is not listed
  EXPECT_FALSE(library.SaveTemplate("Caf\xC3\xA9", RecordOf({"k", "t", "p", "d", "c", "u"})));
  EXPECT_FALSE(library.SaveGroup("", "Birds", "crow; "));
  EXPECT_FALSE(library.SaveRecent(RecordOf({"k", "t", "p", "d", "c", "u"})));
  EXPECT_TRUE(library.DeleteEntryFile("", "Studio", kTemplateEntry));
  library.CreateFolder("New", kTemplateFolder);
  library.AddWordToDictionary("zorbit");
  EXPECT_EQ(Snapshot(classic), before);

  other.reset();
  ASSERT_TRUE(MigrateLibrary({classic}, user));  // the other load's move ends
  EXPECT_TRUE(library.SaveTemplate("Caf\xC3\xA9", RecordOf({"k", "t", "p", "d", "c", "u"})));
  EXPECT_EQ(std::string(library.Root()), user);
  EXPECT_EQ(std::string(library.DictionaryFolder()), classic);
  EXPECT_TRUE(fs::exists(fs::path(user + "Templates") / fs::path(u"Caf\u00E9.tmp")) || !kUtf8Text);
  EXPECT_EQ(Snapshot(classic), before);
}

// A drive that runs full during the copy breaks the move off: nothing is named as left behind,
// no empty root is put in place, and the load keeps the earlier root.
TEST_F(MigrationTest, AFullDriveBreaksTheMoveOff) {
  std::string drive = SMALL_DRIVE;
  std::error_code error;
#ifdef _WIN32
  drive = "Z:" + drive;
  std::replace(drive.begin(), drive.end(), '/', '\\');
  ULARGE_INTEGER size;
  const bool small =
      GetDiskFreeSpaceExA((drive + "\\").c_str(), nullptr, &size, nullptr) && size.QuadPart <= 1024 * 1024;
#else
  const bool small = fs::space(drive, error).capacity <= 1024 * 1024 && !error;
#endif
  if (!small) GTEST_SKIP() << "no small drive mounted at " SMALL_DRIVE;
  dir.Write("System/kwTemplates/Templates/Big.tmp", "Title=" + std::string(256 * 1024, 'b') + "\r\n");
  const std::string full = UserLibraryRoot(drive);
  SetMigrationReport(NoteLeftBehind);
  gLeftBehind.clear();
  EXPECT_FALSE(MigrateLibrary({classic}, full));
  EXPECT_TRUE(gLeftBehind.empty());
  EXPECT_FALSE(fs::exists(full));
  const LibraryRoots roots = PerUserLibraryRoots(classic, {classic}, full);
  EXPECT_EQ(roots.root, classic);
  EXPECT_TRUE(roots.readOnly);
  fs::remove_all(fs::path(drive) / kUserLibraryFolder, error);
}

// Runs the move child on the arguments in count processes started at once; true when every one
// ends with the root in place.
bool MoveInProcesses(int count, const std::vector<std::string>& arguments) {
  std::vector<std::string> line = {LIBRARY_MOVE_CHILD};
  line.insert(line.end(), arguments.begin(), arguments.end());
  bool ok = true;
#ifdef _WIN32
  std::string command;
  for (const std::string& part : line) {
    // Backslashes before the closing quote are doubled, or the last one would quote it.
    const std::size_t end = part.find_last_not_of('\\') + 1;
    command += "\"" + part + std::string(part.size() - end, '\\') + "\" ";
  }
  std::vector<HANDLE> processes;
  for (int i = 0; i < count; ++i) {
    HANDLE process = nullptr;
    if (!StartProcess(command, &process) || !process) return false;
    processes.push_back(process);
  }
  for (HANDLE process : processes) {
    DWORD code = 1;
    ok = WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code) &&
         code == 0 && ok;
    CloseHandle(process);
  }
#else
  std::vector<char*> argv;
  for (std::string& part : line) argv.push_back(&part[0]);
  argv.push_back(nullptr);
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    pid_t child;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ok = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
  }
#endif
  return ok;
}

// Loads that start the move at the same moment (two host versions opened at once) end with the
// whole library in place, each of them using it.
TEST_F(MigrationTest, LoadsStartingTheMoveAtOnceLeaveTheWholeLibrary) {
  for (int round = 0; round < 4; ++round) {
    const std::string what = "round " + std::to_string(round);
    EXPECT_TRUE(MoveInProcesses(3, {user, classic})) << what;
    EXPECT_EQ(Snapshot(user), expected) << what;
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates.new")) << what;
    EXPECT_EQ(Snapshot(classic), before) << what;
    fs::remove_all(dir.Path() + "AppData/Tavimor");
  }
}

#ifdef _WIN32
// A template named with characters outside the ANSI code page: the x64 module, whose text holds
// every name, moves it; the 32-bit build's text cannot name it, so there it is left behind and
// named; never lost unseen, and never in the way of the rest.
TEST_F(MigrationTest, ANameOutsideTheCodePageNeverStopsTheMove) {
  const fs::path name = fs::path(classic + "Templates") / fs::path(L"\u0141\u00f3d\u017a.tmp");
  std::ofstream(name, std::ios::binary) << "Title=Lodz\r\n";
  ASSERT_TRUE(fs::exists(name));
  SetMigrationReport(NoteLeftBehind);
  gLeftBehind.clear();
  ASSERT_TRUE(MigrateLibrary({classic}, user));
  const bool arrived = fs::exists(fs::path(user + "Templates") / name.filename());
  EXPECT_EQ(arrived, kUtf8Text);
  EXPECT_EQ(gLeftBehind.size(), arrived ? 0u : 1u);
  Tree moved = Snapshot(user);
  moved.erase("Templates/" + name.filename().string());
  EXPECT_EQ(moved, expected);
}
#endif

// The classic root holds the 32-bit module's ANSI text (code page 1252 here) under names the
// system keeps in Unicode. The x64 module's move, into a profile named outside that code page,
// keeps the names and makes the text UTF-8; the 32-bit build's copy is byte for byte.
TEST_F(MigrationTest, MovesTheClassicRootsAnsiTextAsThePluginsText) {
  const fs::path from(classic);
  const struct {
    std::u16string name;
    std::string bytes;     // in the classic root
    std::u16string moved;  // what the plug-in's text of the copy says, when it is text
  } files[] = {
      {u"Templates/Caf\u00E9.tmp", "Title=\xC9t\xE9\r\nKeywords=na\xEFve; \r\n",
       u"Title=\u00C9t\u00E9\r\nKeywords=na\u00EFve; \r\n"},
      {u"Groups/Z\u00FCrich/Krak\u00F3w.TMP", "Keywords=\xA9 \x80\r\n", u"Keywords=\u00A9 \u20AC\r\n"},
      // Already UTF-8 (the x64 module saved there while it had no per-user root): kept.
      {u"Templates/Fallback.tmp", "Title=\xC3\x89t\xC3\xA9\r\n", u""},
      // Not the library's text: byte for byte.
      {u"Groups/notes.txt", "caf\xE9", u""},
      {u"Recent.dat", "Title=\xC9t\xE9|Caf\xE9\r\nPhotographer=\r\n",
       u"Title=\u00C9t\u00E9|Caf\u00E9\r\nPhotographer=\r\n"},
      {u"SavedWords.dat", "caf\xE9\r\n", u"caf\u00E9\r\n"},
  };
  for (const auto& file : files) {
    fs::create_directories((from / file.name).parent_path());
    std::ofstream(from / file.name, std::ios::binary) << file.bytes;
  }
  const std::u16string profile = kUtf8Text ? u"\u0141ukasz \u6771\u4EAC" : u"J\u00FCrgen";
  fs::create_directories(fs::path(dir.Path()) / profile);
  const std::string userRoot = UserLibraryRoot(dir.Path() + Text(profile));
  ASSERT_TRUE(MigrateLibrary({classic}, userRoot));
  const fs::path to = fs::path(dir.Path()) / profile / "Tavimor" / "kwTemplates";
  for (const auto& file : files) {
    EXPECT_EQ(ReadAt(to / file.name), file.moved.empty() || !kUtf8Text ? file.bytes : Text(file.moved))
        << Utf16ToUtf8(file.name);
  }
  EXPECT_EQ(ReadAt(to / "Templates/Studio.tmp"), expected["Templates/Studio.tmp"]);

  FileInfoRecord record{};
  ASSERT_TRUE(KeywordLibrary(userRoot).LoadTemplate(Text(u"Caf\u00E9").c_str(), record));
  EXPECT_EQ(std::string(record.title), Text(u"\u00C9t\u00E9"));
  for (const auto& file : files) EXPECT_EQ(ReadAt(from / file.name), file.bytes);
}

// Links are never followed: one in an earlier root is left behind and named, one in a stale staging
// folder goes as a link, and what either points to stays as it was.
TEST_F(MigrationTest, LinksAreNeitherCopiedThroughNorClearedThrough) {
  dir.Write("Elsewhere/Precious.tmp", "Title=Precious\r\n");
  const Tree elsewhere = Snapshot(dir.Path() + "Elsewhere");
  if (!MakeFolderLink(dir.Path() + "Elsewhere", dir.Path() + "System/kwTemplates/Groups/Linked"))
    GTEST_SKIP() << "folder links cannot be made here";
  ASSERT_TRUE(
      MakeFolderLink(dir.Path() + "Elsewhere", dir.Path() + "AppData/Tavimor/kwTemplates.new/Templates"));
  SetMigrationReport(NoteLeftBehind);
  gLeftBehind.clear();
  const bool moved = MigrateLibrary({classic}, user);
  EXPECT_EQ(Snapshot(dir.Path() + "Elsewhere"), elsewhere);
  EXPECT_EQ(Snapshot(classic + "Groups/Linked"), elsewhere);
  if (moved) {
    EXPECT_EQ(gLeftBehind, std::vector<std::string>{classic + "Groups" + kPathSeparator + "Linked"});
    EXPECT_EQ(Snapshot(user), expected);
  } else {
    // Where the system cannot remove a link as itself (Wine), the staging folder cannot be cleared.
    EXPECT_TRUE(dir.Exists("AppData/Tavimor/kwTemplates.new/Templates/Precious.tmp"));
    EXPECT_FALSE(dir.Exists("AppData/Tavimor/kwTemplates"));
  }

  // A staging folder that is itself a link goes as a link, or stays.
  const std::string second = UserLibraryRoot(dir.Path() + "Second");
  ASSERT_TRUE(MakeFolderLink(dir.Path() + "Elsewhere", dir.Path() + "Second/Tavimor/kwTemplates.new"));
  EXPECT_EQ(MigrateLibrary({classic}, second), moved);
  EXPECT_EQ(Snapshot(dir.Path() + "Elsewhere"), elsewhere);
  if (moved) {
    EXPECT_EQ(Snapshot(second), expected);
  }
}

// Only symbolic links and mount points (junctions) are links, and a reparse point whose tag the
// system does not give; a cloud file's placeholder, a deduplicated or a compressed file is the
// user's file itself.
TEST(LinkTags, OnlySymbolicLinksAndMountPointsAreLinks) {
  const struct {
    std::uint32_t tag;
    bool link;
  } tags[] = {{0xA000000C, true},  {0xA0000003, true},  {0, true},           {0x9000001A, false},
              {0x9000601A, false}, {0x80000013, false}, {0x80000017, false}, {0x8000001B, false}};
  for (const auto& tag : tags) EXPECT_EQ(IsLinkTag(tag.tag), tag.link) << std::hex << tag.tag;
}

// Until the move is done, a load uses the first earlier root there is, where the user's files are
// (not the classic root of the 64-bit view, which on an upgraded machine holds none of them).
TEST_F(MigrationTest, RootsOfALoadAreWhereTheUsersFilesAreUntilTheMoveIsDone) {
  gFailStep = MigrationStep::kPutInPlace;
  SetMigrationFault(FailStep);
  LibraryRoots roots = PerUserLibraryRoots(classic, {classic}, user);
  EXPECT_EQ(roots.root, classic);
  EXPECT_EQ(roots.dictionaries, "");
  const std::string store = dir.Path() + "Store" + kPathSeparator,
                    wow64 = dir.Path() + "Wow" + kPathSeparator;
  EXPECT_EQ(PerUserLibraryRoots(classic, {store, wow64, classic}, user).root, classic);
  dir.MakeDir("Wow");
  roots = PerUserLibraryRoots(classic, {store, wow64, classic}, user);
  EXPECT_EQ(roots.root, wow64);
  EXPECT_EQ(roots.dictionaries, classic);
  EXPECT_TRUE(roots.readOnly);
  dir.MakeDir("Store");
  EXPECT_EQ(PerUserLibraryRoots(classic, {store, wow64, classic}, user).root, store);
  // The 32-bit module's roots are only read, also where the user's folder is unknown; the classic
  // root of the 64-bit view is the x64 module's own, then.
  roots = PerUserLibraryRoots(classic, {store, wow64, classic}, UserLibraryRoot(""));
  EXPECT_EQ(roots.root, store);
  EXPECT_TRUE(roots.readOnly);
  EXPECT_FALSE(PerUserLibraryRoots(classic, {classic}, UserLibraryRoot("")).readOnly);
  SetMigrationFault(nullptr);
  roots = PerUserLibraryRoots(classic, {classic}, user);
  EXPECT_EQ(roots.root, user);
  EXPECT_EQ(roots.dictionaries, classic);
  EXPECT_FALSE(roots.readOnly);

  // A root in place without its branch folders gets them back, and saves work again.
  fs::remove_all(user + "Templates");
  fs::remove_all(user + "Groups");
  EXPECT_EQ(PerUserLibraryRoots(classic, {classic}, user).root, user);
  EXPECT_TRUE(KeywordLibrary(user).SaveTemplate("Again", RecordOf({"k", "t", "p", "d", "c", "u"})));
  EXPECT_TRUE(dir.Exists("AppData/Tavimor/kwTemplates/Groups"));

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
  LanguageServices library(user, classic);
  EXPECT_TRUE(library.IsWordCorrect("lake"));
  EXPECT_TRUE(library.IsWordCorrect("qwixel"));  // from the copied SavedWords.dat
  library.AddWordToDictionary("zorbit");
  EXPECT_EQ(dir.Read("AppData/Tavimor/kwTemplates/SavedWords.dat"),
            std::string("qwixel") + kLineEnd + "zorbit" + kLineEnd);
  EXPECT_EQ(Snapshot(classic), before);

  dir.Write("AppData/Tavimor/kwTemplates/dic/en_US.aff", "");
  dir.Write("AppData/Tavimor/kwTemplates/dic/en_US.dic", "1\nfog\n");
  library = LanguageServices(user, classic);
  EXPECT_TRUE(library.IsWordCorrect("fog"));
  EXPECT_FALSE(library.IsWordCorrect("lake"));
}

}  // namespace
