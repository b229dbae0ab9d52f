#include "file_actions.h"

#include "registry_access.h"
#include "scratch_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Messages = std::vector<std::string>;

bool Contains(const Messages& messages, const std::string& message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(CopyFileAction, CreatesTheDestinationFoldersAndCopiesFromTheStartFolder) {
  ScratchTree tree;
  tree.WriteFile("app.exe", "payload");
  const std::string to = tree.Path("inst\\bin");
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.exe," + to + ",renamed.exe,TRUE"), 1);
  EXPECT_EQ(ScratchTree::ReadFile(to + "\\renamed.exe"), "payload");
  EXPECT_EQ(tree.LogMessages(),
            (Messages{"CreateDirectory: " + to, "Copy file: app.exe to " + to + "\\renamed.exe"}));
  EXPECT_EQ(tree.sink.statuses, Messages{"Copy File|app.exe"});
}

// Like the system's own copy, the copy carries the source's attributes and last-write time.
TEST(CopyFileAction, CopyKeepsTheSourcesAttributesAndTime) {
  ScratchTree tree;
  tree.WriteFile("app.dat", "payload");
  const std::string source = tree.Path("app.dat");
  const FILETIME written = {0x4A5B6C00, 0x01D00000};  // some day in 2014
  HANDLE file = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

  const std::string dest = tree.Path("dest");
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.dat," + dest + ",copy.dat,TRUE"), 1);
  WIN32_FILE_ATTRIBUTE_DATA copy = {};
  ASSERT_TRUE(GetFileAttributesExA((dest + "\\copy.dat").c_str(), GetFileExInfoStandard, &copy));
  EXPECT_EQ(copy.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(CompareFileTime(&copy.ftLastWriteTime, &written), 0);
  EXPECT_EQ(ScratchTree::ReadFile(dest + "\\copy.dat"), "payload");
  EXPECT_EQ(ScratchTree::Entries(dest), Messages{"copy.dat"});
}

TEST(CopyFileAction, OverwritesOnlyForTheExactTrueFlags) {
  ScratchTree tree;
  tree.WriteFile("app.exe", "new");
  const struct {
    const char* flag;
    bool overwrites;
  } cases[] = {{"TRUE", true}, {"True", true},   {"true", true},   {"1", true},
               {"yes", false}, {"true ", false}, {"FALSE", false}, {"tRUE", false}};
  for (const auto& c : cases) {
    tree.WriteFile("old.exe", "old");
    tree.ClearLog();
    // An existing copy that stays is not a failure: the list goes on without a prompt.
    EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.exe," + tree.Root() + ",old.exe," + c.flag), 1)
        << c.flag;
    EXPECT_EQ(ScratchTree::ReadFile(tree.Path("old.exe")), c.overwrites ? "new" : "old") << c.flag;
    EXPECT_EQ(Contains(tree.LogMessages(), "Failed to copy file: app.exe"), !c.overwrites) << c.flag;
  }
}

TEST(CopyFileAction, MissingSourceFailsWithBothLogLines) {
  ScratchTree tree;
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "missing.dat," + tree.Root() + ",missing.dat,TRUE"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  const Messages log = tree.LogMessages();
  EXPECT_TRUE(Contains(log, "Copy file: missing.dat to " + tree.Root() + "\\missing.dat"));
  EXPECT_TRUE(Contains(log, "Failed to copy file: missing.dat"));
}

// The copy passes through a file of its own beside the destination: never a name the folder
// already holds, and never a path longer than the destination's.
TEST(CopyFileAction, PassingFileIsANewNameNoLongerThanTheDestination) {
  ScratchTree tree;
  tree.WriteFile("app.dat", "new");
  tree.MakeFolder("dest");
  tree.WriteFile("dest\\app.dat.part", "mine");
  tree.WriteFile("dest\\~0", "mine too");  // names a copy of its own could take
  tree.MakeFolder("dest\\~1");
  const std::string dest = tree.Path("dest");
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.dat," + dest + ",app.dat,TRUE"), 1);
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "missing.dat," + dest + ",app.dat,TRUE"), 0);
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "missing.dat," + dest + ",other.dat,TRUE"), 0);
  EXPECT_EQ(ScratchTree::ReadFile(dest + "\\app.dat"), "new");
  EXPECT_EQ(ScratchTree::ReadFile(dest + "\\app.dat.part"), "mine");
  EXPECT_EQ(ScratchTree::ReadFile(dest + "\\~0"), "mine too");
  EXPECT_EQ(ScratchTree::Entries(dest), (Messages{"app.dat", "app.dat.part", "~0", "~1"}));

  // The longest path the system takes, ending in a name shorter than any made-up one.
  std::string deep = tree.Path(std::string(120, 'd'));
  deep += "\\" + std::string(MAX_PATH - 1 - deep.size() - 1 - 6 - 1, 'e');
  const std::string full = deep + "\\a1.dat";
  ASSERT_EQ(full.size(), static_cast<std::size_t>(MAX_PATH - 1));
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.dat," + deep + ",a1.dat,TRUE"), 1);
  EXPECT_EQ(ScratchTree::ReadFile(full), "new");
  EXPECT_EQ(ScratchTree::Entries(deep), Messages{"a1.dat"});
}

void SetWriteTime(const std::string& path, DWORD high) {
  const FILETIME written = {0, high};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

// The count Windows installers keep for a shared file (0: none).
DWORD SharedCount(const std::string& path) {
  DWORD count = 0;
  RegistryAccess::ReadNumber(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                             path.c_str(), count, KEY_WOW64_64KEY);
  return count;
}

// Two products put the same file at one place: each install counts one use (a file there before
// without a count was put there by an install that did not count it), an older copy never replaces
// a newer one, and only the last uninstall deletes the file and its count.
TEST(SharedFiles, AreCountedAndKeptNewestUntilTheLastUninstall) {
  ScratchTree tree;
  tree.MakeFolder("shared");
  tree.WriteFile("shared\\dict.dat", "uncounted");
  SetWriteTime(tree.Path("shared\\dict.dat"), 0x01D00000);
  tree.WriteFile("dict.dat", "newer");
  SetWriteTime(tree.Path("dict.dat"), 0x01D10000);
  const std::string folder = tree.Path("shared"), file = folder + "\\dict.dat";
  const std::string copy = "dict.dat," + folder + ",dict.dat,TRUE,SHARED";

  EXPECT_EQ(tree.Script().Dispatch("CopyFile", copy), 1);
  EXPECT_EQ(ScratchTree::ReadFile(file), "newer");
  EXPECT_EQ(SharedCount(file), 2u);
  tree.WriteFile("dict.dat", "older");
  SetWriteTime(tree.Path("dict.dat"), 0x01C00000);
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", copy), 1);
  EXPECT_EQ(ScratchTree::ReadFile(file), "newer");
  EXPECT_EQ(SharedCount(file), 3u);

  for (DWORD left : {2u, 1u}) {
    EXPECT_EQ(tree.Script().Dispatch("DeleteFile", file + ",SHARED"), 1);
    EXPECT_EQ(ScratchTree::ReadFile(file), "newer");
    EXPECT_EQ(SharedCount(file), left);
  }
  EXPECT_EQ(tree.Script().Dispatch("DeleteFile", file + ",SHARED"), 1);
  EXPECT_FALSE(ScratchTree::Exists(file));
  EXPECT_EQ(SharedCount(file), 0u);
  // Without the mark nothing is counted.
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "dict.dat," + folder + ",dict.dat,TRUE"), 1);
  EXPECT_EQ(SharedCount(file), 0u);
}

TEST(DeleteFileAction, DeletesAndTreatsAGoneFileAsDeleted) {
  ScratchTree tree;
  tree.WriteFile("doomed.txt", "x");
  EXPECT_EQ(tree.Script().Dispatch("DeleteFile", tree.Path("doomed.txt")), 1);
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("doomed.txt")));
  EXPECT_EQ(tree.Script().Dispatch("DeleteFile", tree.Path("doomed.txt")), 1);
  EXPECT_EQ(tree.LogMessages(),
            (Messages{"Delete file: " + tree.Path("doomed.txt"), "Delete file: " + tree.Path("doomed.txt"),
                      "Failed to Delete file: " + tree.Path("doomed.txt")}));
  EXPECT_EQ(tree.sink.statuses.back(), "Deleted file|" + tree.Path("doomed.txt"));
}

TEST(DeleteFileAction, FileThatStaysIsAFailure) {
  ScratchTree tree;
  tree.WriteFile("held.txt", "x");
  HANDLE held =
      CreateFileA(tree.Path("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(tree.Script().Dispatch("DeleteFile", tree.Path("held.txt")), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("held.txt")));
}

TEST(CreateDirectoryAction, CreatesEveryMissingFolder) {
  ScratchTree tree;
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", tree.Path("a\\b\\c")), 1);
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("a\\b\\c")));
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", tree.Path("d\\e\\")), 1);  // trailing backslash
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("d\\e")));
  EXPECT_TRUE(tree.sink.statuses.empty());

  tree.ClearLog();
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", tree.Path("a\\b")), 1);  // exists already
  EXPECT_EQ(tree.LogMessages(), Messages{"CreateDirectory: " + tree.Path("a\\b")});

  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", "relative"), 1);  // against the current directory
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("relative")));
}

TEST(CreateDirectoryAction, MissingDriveFailsAtTheFirstStep) {
  ScratchTree tree;
  const std::string drive = UnusedDrive();
  ASSERT_FALSE(drive.empty());
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", drive + "\\App\\bin"), 0);
  const DWORD error = GetLastError();
  EXPECT_NE(error, 0u);
  EXPECT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));  // the log must not hide the real error
  EXPECT_EQ(tree.LogMessages(), Messages{"CreateDirectory: " + drive + "\\App\\bin"});

  // A copy into such a folder logs that and fails with the copy's own error.
  tree.WriteFile("app.exe", "x");
  tree.ClearLog();
  EXPECT_EQ(tree.Script().Dispatch("CopyFile", "app.exe," + drive + "\\App,app.exe,TRUE"), 0);
  EXPECT_TRUE(Contains(tree.LogMessages(), "Failed to create directory " + drive + "\\App"));
}

TEST(DeleteDirectoryAction, RemovesANestedTree) {
  ScratchTree tree;
  tree.MakeFolder("d");
  tree.MakeFolder("d\\sub");
  tree.MakeFolder("d\\sub\\deep");
  tree.MakeFolder("d\\x,y");
  tree.WriteFile("d\\a.txt", "1");
  tree.WriteFile("d\\sub\\b.txt", "2");
  tree.WriteFile("d\\sub\\deep\\c.txt", "3");
  tree.WriteFile("d\\x,y\\z.txt", "4");
  const std::string d = tree.Path("d");
  EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", d), 1);
  EXPECT_FALSE(ScratchTree::Exists(d));

  Messages log = tree.LogMessages();
  EXPECT_EQ(log.front(), "Deleted dir: " + d);
  std::sort(log.begin(), log.end());
  EXPECT_EQ(log, (Messages{"Delete File: " + d + "\\a.txt", "Delete File: " + d + "\\sub\\b.txt",
                           "Delete File: " + d + "\\sub\\deep\\c.txt", "Delete File: " + d + "\\x,y\\z.txt",
                           "Deleted dir: " + d, "Deleted dir: " + d + "\\sub",
                           "Deleted dir: " + d + "\\sub\\deep", "Deleted dir: " + d + "\\x,y"}));
  EXPECT_EQ(tree.sink.statuses.front(), "Deleted dir|" + d);
}

TEST(DeleteDirectoryAction, MissingFolderIsAlreadyDeletedAndEmptyPathFails) {
  ScratchTree tree;
  EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", tree.Path("none")), 1);
  EXPECT_EQ(tree.LogMessages(),
            (Messages{"Deleted dir: " + tree.Path("none"), "failed to deleted dir: " + tree.Path("none")}));
  tree.ClearLog();
  EXPECT_EQ(DeleteFolderTree(tree.Script(), ""), 0);
  EXPECT_TRUE(tree.LogMessages().empty());
}

TEST(DeleteDirectoryAction, FolderThatStaysIsAFailure) {
  ScratchTree tree;
  tree.MakeFolder("d");
  tree.WriteFile("d\\held.txt", "x");
  tree.WriteFile("d\\free.txt", "x");
  HANDLE held =
      CreateFileA(tree.Path("d\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", tree.Path("d")), 0);
  CloseHandle(held);
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("d\\free.txt")));
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("d\\held.txt")));
  EXPECT_TRUE(Contains(tree.LogMessages(), "failed to deleted dir: " + tree.Path("d")));
}

TEST(DeleteDirectoryAction, NeverFollowsALinkIntoItsTarget) {
  ScratchTree tree;
  tree.MakeFolder("outside");
  tree.WriteFile("outside\\keep.txt", "precious");
  tree.MakeFolder("d");
  tree.WriteFile("d\\own.txt", "x");
  ASSERT_TRUE(MakeUnixLink(tree.Path("outside"), tree.Path("d\\link")));
  ASSERT_TRUE(MakeUnixLink(tree.Path("outside"), tree.Path("top")));
  const DWORD attributes = GetFileAttributesA(tree.Path("d\\link").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

  const int inside = tree.Script().Dispatch("DeleteDirectory", tree.Path("d"));
  const int top = tree.Script().Dispatch("DeleteDirectory", tree.Path("top"));
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("outside\\keep.txt")), "precious");
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("d\\own.txt")));

  // Windows removes a directory link with RemoveDirectory; Wine 8 cannot remove one at all. Where
  // the link stays, so does its folder, and that is reported.
  if (ScratchTree::Exists(tree.Path("d\\link"))) {
    EXPECT_EQ(inside, 0);
    EXPECT_EQ(top, 0);
    EXPECT_TRUE(Contains(tree.LogMessages(), "failed to deleted dir: " + tree.Path("d")));
    EXPECT_TRUE(RemoveUnixLink(tree.Path("d\\link")));
    EXPECT_TRUE(RemoveUnixLink(tree.Path("top")));
  } else {
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(top, 1);
    EXPECT_FALSE(ScratchTree::Exists(tree.Path("d")));
    EXPECT_FALSE(ScratchTree::Exists(tree.Path("top")));
  }
}

}  // namespace
