// File actions meeting real faults under the runner's real Abort/Retry/Ignore prompt: files held
// open by another program, read-only files, a drive that does not exist or is full, and links
// inside a tree being removed. The prompt is answered from a timer inside its modal loop, after
// doing what a user would do first (closing the program that holds the file).
#include "file_actions.h"

#include "scratch_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Messages = std::vector<std::string>;

struct Answer {
  int button;
  std::function<void()> before;  // what the user does before pressing it
};
std::deque<Answer> g_answers;
std::vector<std::string> g_prompts;

void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("#32770", "Error");
  if (!box || !IsWindowVisible(box) || g_answers.empty()) return;
  char text[1024] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  g_prompts.push_back(text);
  const Answer answer = g_answers.front();
  g_answers.pop_front();
  if (answer.before) answer.before();
  SendMessageA(GetDlgItem(box, answer.button), BM_CLICK, 0, 0);
}

std::string WithoutLineBreak(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// The prompt a failed action shows for a system error code.
std::string Prompt(const std::string& action, DWORD code) {
  SystemServices services;
  return WithoutLineBreak("Faild to " + action + "\nError=" + services.ErrorText(code));
}

std::string ErrorLine(DWORD code) {
  SystemServices services;
  return "Error: " + WithoutLineBreak(services.ErrorText(code));
}

long Count(const Messages& messages, const std::string& message) {
  return std::count(messages.begin(), messages.end(), message);
}

// A file opened by "another program" with no sharing: nobody may read, write or delete it.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
  }
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  void Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override { timer_ = SetTimer(nullptr, 0, 50, AnswerPrompt); }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    EXPECT_TRUE(g_answers.empty()) << g_answers.size() << " prompt(s) expected but not shown";
    g_answers.clear();
    g_prompts.clear();
  }
  // An install also leaves the uninstaller's script copy in the system folder.
  static void RemoveScriptCopy(ScratchTree& tree, const std::string& name) {
    DeleteFileA((tree.services.SpecialFolder(kSystemFolderId) + "\\" + name + ".ini").c_str());
  }

 private:
  UINT_PTR timer_ = 0;
};

// A copy over an installed file ("old"), followed by an entry that shows whether the list went on.
constexpr const char kHeldCopyScript[] =
    "[SETTINGS]\nName=HeldCopy\n[INSTALL_ORDER]\n1=CopyFile,app.dat,dest,app.dat,TRUE\n"
    "2=CreateDirectory,after\n";
void WriteHeldCopyFiles(ScratchTree& tree) {
  tree.WriteFile("app.dat", "new");
  tree.MakeFolder("dest");
  tree.WriteFile("dest\\app.dat", "old");
}

TEST_F(FileFaults, HeldDestinationOfACopyIsRetriedAfterItIsReleased) {
  ScratchTree tree(kHeldCopyScript);
  WriteHeldCopyFiles(tree);
  HeldFile held(tree.Path("dest\\app.dat"));
  // The first Retry finds the file still held; the user then closes the other program.
  g_answers = {{IDRETRY, nullptr}, {IDRETRY, [&] { held.Release(); }}};

  EXPECT_EQ(tree.Script().Run(true), 1);
  RemoveScriptCopy(tree, "HeldCopy");
  EXPECT_EQ(tree.Script().LastChoice(), IDRETRY);
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("dest\\app.dat")), "new");
  EXPECT_EQ(ScratchTree::Entries(tree.Path("dest")), Messages{"app.dat"});
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("after")));

  ASSERT_EQ(g_prompts.size(), 2u);
  EXPECT_EQ(WithoutLineBreak(g_prompts[0]), WithoutLineBreak(g_prompts[1]));
  // Replacing a file in use is refused as a sharing violation or as access denied.
  EXPECT_TRUE(WithoutLineBreak(g_prompts[0]) == Prompt("CopyFile", ERROR_SHARING_VIOLATION) ||
              WithoutLineBreak(g_prompts[0]) == Prompt("CopyFile", ERROR_ACCESS_DENIED))
      << g_prompts[0];
  const Messages log = tree.LogMessages();
  EXPECT_EQ(Count(log, "Copy file: app.dat to dest\\app.dat"), 3);
  EXPECT_EQ(Count(log, "Failed to copy file: app.dat"), 2);
  EXPECT_EQ(Count(log, "User selection: RETRY"), 2);
}

TEST_F(FileFaults, HeldDestinationIgnoredOrAbortedStaysAsItWas) {
  const struct {
    int answer;
    int result;
    bool listGoesOn;
  } cases[] = {{IDIGNORE, 1, true}, {IDABORT, 0, false}};
  for (const auto& c : cases) {
    ScratchTree tree(kHeldCopyScript);
    WriteHeldCopyFiles(tree);
    {
      HeldFile held(tree.Path("dest\\app.dat"));
      g_answers = {{c.answer, nullptr}};
      EXPECT_EQ(tree.Script().Run(true), c.result) << c.answer;
    }
    RemoveScriptCopy(tree, "HeldCopy");
    EXPECT_EQ(ScratchTree::ReadFile(tree.Path("dest\\app.dat")), "old") << c.answer;
    EXPECT_EQ(ScratchTree::Entries(tree.Path("dest")), Messages{"app.dat"}) << c.answer;
    EXPECT_EQ(ScratchTree::Exists(tree.Path("after")), c.listGoesOn) << c.answer;
    EXPECT_EQ(
        Count(tree.LogMessages(), c.answer == IDABORT ? "User selection: ABORT" : "User selection: IGNORE"),
        1);
    g_prompts.clear();
  }
}

TEST_F(FileFaults, HeldFilesOfADeleteAreRetriedOrIgnored) {
  ScratchTree tree(
      "[SETTINGS]\nName=HeldDelete\n[UN_INSTALL_ORDER]\n1=DeleteFile,lone.dat\n"
      "2=DeleteDirectory,tree\n3=CreateDirectory,after\n");
  tree.WriteFile("lone.dat", "x");
  tree.MakeFolder("tree");
  tree.MakeFolder("tree\\sub");
  tree.WriteFile("tree\\sub\\inner.dat", "kept");
  tree.WriteFile("tree\\free.dat", "x");
  HeldFile lone(tree.Path("lone.dat"));
  HeldFile inner(tree.Path("tree\\sub\\inner.dat"));
  g_answers = {{IDRETRY, [&] { lone.Release(); }}, {IDIGNORE, nullptr}};

  EXPECT_EQ(tree.Script().Run(false), 1);
  EXPECT_EQ(tree.Script().LastChoice(), IDIGNORE);
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("lone.dat")));
  // The ignored tree keeps only what was held, and the list goes on.
  inner.Release();
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("tree\\sub\\inner.dat")), "kept");
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("tree\\free.dat")));
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("after")));

  ASSERT_EQ(g_prompts.size(), 2u);
  EXPECT_EQ(WithoutLineBreak(g_prompts[0]), Prompt("DeleteFile", ERROR_SHARING_VIOLATION));
  EXPECT_EQ(WithoutLineBreak(g_prompts[1]), Prompt("DeleteDirectory", ERROR_DIR_NOT_EMPTY));
  const Messages log = tree.LogMessages();
  EXPECT_EQ(Count(log, ErrorLine(ERROR_SHARING_VIOLATION)), 1);
  EXPECT_EQ(Count(log, "Failed to Delete file: lone.dat"), 1);
  EXPECT_EQ(Count(log, "Delete file: lone.dat"), 2);
  EXPECT_EQ(Count(log, "failed to deleted dir: tree\\sub"), 1);
  EXPECT_EQ(Count(log, "failed to deleted dir: tree"), 1);

  // Released, the tree goes on the next run.
  EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", "tree"), 1);
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("tree")));
}

TEST_F(FileFaults, ReadOnlyFilesAreReportedTruthfullyAndNotDamaged) {
  ScratchTree tree;
  tree.WriteFile("app.dat", "new");
  tree.MakeFolder("dest");
  tree.WriteFile("dest\\app.dat", "old");
  ASSERT_TRUE(SetFileAttributesA(tree.Path("dest\\app.dat").c_str(), FILE_ATTRIBUTE_READONLY));

  // Windows refuses to overwrite a read-only file; Wine overwrites it. Either way the result must
  // say what happened, and a refused copy leaves the file whole.
  const int copied = tree.Script().Dispatch("CopyFile", "app.dat," + tree.Path("dest") + ",app.dat,TRUE");
  const DWORD error = GetLastError();
  const std::string now = ScratchTree::ReadFile(tree.Path("dest\\app.dat"));
  if (copied) {
    EXPECT_EQ(now, "new");
  } else {
    EXPECT_EQ(now, "old");
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Count(tree.LogMessages(), "Failed to copy file: app.dat"), 1);
  }
  EXPECT_EQ(ScratchTree::Entries(tree.Path("dest")), Messages{"app.dat"});

  // Deletion honours the attribute everywhere: the file stays and the action says so.
  tree.WriteFile("ro.dat", "keep");
  ASSERT_TRUE(SetFileAttributesA(tree.Path("ro.dat").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(tree.Script().Dispatch("DeleteFile", tree.Path("ro.dat")), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("ro.dat")), "keep");

  // A read-only file inside a tree is not made writable: it stays, and so does its folder.
  tree.MakeFolder("tree");
  tree.WriteFile("tree\\ro.dat", "keep");
  tree.WriteFile("tree\\rw.dat", "x");
  ASSERT_TRUE(SetFileAttributesA(tree.Path("tree\\ro.dat").c_str(), FILE_ATTRIBUTE_READONLY));
  tree.ClearLog();
  EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", tree.Path("tree")), 0);
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("tree\\ro.dat")), "keep");
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("tree\\rw.dat")));
  EXPECT_EQ(Count(tree.LogMessages(), "failed to deleted dir: " + tree.Path("tree")), 1);
}

TEST_F(FileFaults, CopyToAMissingDriveShowsTheCopysOwnError) {
  const std::string drive = UnusedDrive();
  ASSERT_FALSE(drive.empty());
  ScratchTree tree("[SETTINGS]\nName=NoDrive\n[UN_INSTALL_ORDER]\n1=CopyFile,app.dat," + drive +
                   "\\App,app.dat,TRUE\n2=CreateDirectory,after\n");
  tree.WriteFile("app.dat", "x");
  g_answers = {{IDIGNORE, nullptr}};

  EXPECT_EQ(tree.Script().Run(false), 1);
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("after")));
  ASSERT_EQ(g_prompts.size(), 1u);
  EXPECT_EQ(WithoutLineBreak(g_prompts[0]), Prompt("CopyFile", ERROR_PATH_NOT_FOUND));
  const Messages log = tree.LogMessages();
  const Messages expected = {"Start UnInstall",
                             "CreateDirectory: " + drive + "\\App",
                             "Failed to create dir: " + drive + "\\App",
                             "Failed to create directory " + drive + "\\App",
                             "Copy file: app.dat to " + drive + "\\App\\app.dat",
                             "Failed to copy file: app.dat",
                             ErrorLine(ERROR_PATH_NOT_FOUND),
                             "User selection: IGNORE"};
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(Messages(log.begin(), log.begin() + expected.size()), expected);
}

// A tiny memory file system mounted from the Linux side by the test's set-up step; where it could
// not be mounted the folder is an ordinary one and the test skips.
std::string SmallDrive() {
  std::string path = "Z:" SMALL_DRIVE;
  std::replace(path.begin(), path.end(), '/', '\\');
  ULARGE_INTEGER total;
  if (!GetDiskFreeSpaceExA((path + "\\").c_str(), nullptr, &total, nullptr) || total.QuadPart > 1024 * 1024)
    return "";
  return path;
}

TEST_F(FileFaults, FullDriveFailsTheCopyAndKeepsTheInstalledFile) {
  const std::string drive = SmallDrive();
  if (drive.empty()) GTEST_SKIP() << "no small drive mounted at " SMALL_DRIVE;
  ScratchTree tree;
  tree.WriteFile("big.dat", std::string(256 * 1024, 'b'));
  const std::string installed = drive + "\\big.dat";
  const std::string old = "installed before";
  std::ofstream(installed, std::ios::binary) << old;
  ASSERT_EQ(ScratchTree::ReadFile(installed), old);

  for (const char* overwrite : {"TRUE", "FALSE"}) {
    const std::string name = overwrite == std::string("TRUE") ? "big.dat" : "fresh.dat";
    tree.ClearLog();
    EXPECT_EQ(tree.Script().Dispatch("CopyFile", "big.dat," + drive + "," + name + "," + overwrite), 0)
        << overwrite;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL)) << overwrite;
    EXPECT_EQ(Count(tree.LogMessages(), "Failed to copy file: big.dat"), 1) << overwrite;
    EXPECT_EQ(ScratchTree::Entries(drive), Messages{"big.dat"}) << overwrite;
  }
  const std::string now = ScratchTree::ReadFile(installed);
  EXPECT_TRUE(now == old) << "the installed file now holds " << now.size() << " bytes";
  EXPECT_FALSE(ScratchTree::Exists(drive + "\\fresh.dat"));
  DeleteFileA(installed.c_str());

  // The drive also holds only a few entries: a deep folder runs out of them on the way.
  std::string deep = drive;
  for (int level = 0; level < 24; ++level) deep += "\\f" + std::to_string(level);
  tree.ClearLog();
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", deep), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(tree.LogMessages(), Messages{"CreateDirectory: " + deep});
  RemoveTree(drive + "\\f0");
}

TEST_F(FileFaults, LinksInsideADeletedTreeAreNeverFollowed) {
  ScratchTree tree;
  tree.MakeFolder("outside");
  tree.WriteFile("outside\\keep.txt", "precious");
  tree.MakeFolder("empty");
  tree.MakeFolder("app");
  tree.MakeFolder("app\\sub");
  tree.WriteFile("app\\sub\\own.txt", "x");
  // Links back to a folder that holds the tree itself, to a folder beside it, to an empty folder.
  const std::vector<std::string> links = {"app\\sub\\loop", "app\\out", "app\\empty"};
  ASSERT_TRUE(MakeUnixLink(tree.Root(), tree.Path(links[0])));
  ASSERT_TRUE(MakeUnixLink(tree.Path("outside"), tree.Path(links[1])));
  ASSERT_TRUE(MakeUnixLink(tree.Path("empty"), tree.Path(links[2])));
  for (const std::string& link : links)
    ASSERT_TRUE(GetFileAttributesA(tree.Path(link).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << link;
  tree.ClearLog();

  const int result = tree.Script().Dispatch("DeleteDirectory", tree.Path("app"));
  const DWORD error = GetLastError();
  EXPECT_EQ(ScratchTree::ReadFile(tree.Path("outside\\keep.txt")), "precious");
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("empty")));
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("Install.ini")));
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("app\\sub\\own.txt")));

  // Each link is named once, as a folder to remove; nothing beneath one is.
  const Messages log = tree.LogMessages();
  for (const std::string& link : links) {
    EXPECT_EQ(Count(log, "Deleted dir: " + tree.Path(link)), 1) << link;
    for (const std::string& message : log)
      EXPECT_EQ(message.find(tree.Path(link) + "\\"), std::string::npos) << message;
  }
  // Windows removes a folder link; where the system cannot (Wine), the links stay and the tree's
  // removal is reported failed.
  const bool linksStay = ScratchTree::Exists(tree.Path("app\\out"));
  EXPECT_EQ(result, linksStay ? 0 : 1);
  EXPECT_EQ(ScratchTree::Exists(tree.Path("app")), linksStay);
  EXPECT_EQ(Count(log, "failed to deleted dir: " + tree.Path("app")), linksStay ? 1 : 0);
  if (linksStay) {
    // The prompt names what stopped the removal, and a link named as the folder to remove is
    // refused outright.
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_EQ(tree.Script().Dispatch("DeleteDirectory", tree.Path(links[2])), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_TRUE(ScratchTree::Exists(tree.Path("empty")));
    for (const std::string& link : links) {
      EXPECT_EQ(Count(log, "failed to deleted dir: " + tree.Path(link)), 1) << link;
      EXPECT_TRUE(RemoveUnixLink(tree.Path(link))) << link;
    }
  }
}

}  // namespace
