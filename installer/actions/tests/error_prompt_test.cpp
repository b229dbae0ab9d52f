// The runner's real Abort/Retry/Ignore prompt, answered from a timer inside its modal loop.
#include "install_log.h"
#include "scratch_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include <windows.h>

namespace {

std::deque<int> g_answers;               // buttons to press, in order
std::vector<std::string> g_promptTexts;  // what each prompt said

void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("#32770", "Error");
  if (!box || !IsWindowVisible(box) || g_answers.empty()) return;
  char text[1024] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text control
  g_promptTexts.push_back(text);
  const int answer = g_answers.front();
  g_answers.pop_front();
  SendMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
}

std::string SystemText(DWORD code) {
  SystemServices services;
  return services.ErrorText(code);
}

bool Logged(const std::vector<std::string>& messages, const std::string& message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

class ErrorPrompt : public ::testing::Test {
 protected:
  void SetUp() override { timer = SetTimer(nullptr, 0, 50, AnswerPrompt); }
  void TearDown() override {
    KillTimer(nullptr, timer);
    g_answers.clear();
    g_promptTexts.clear();
  }
  UINT_PTR timer = 0;
};

TEST_F(ErrorPrompt, RetryThenIgnoreShowsTheFailedActionsOwnError) {
  const std::string drive = UnusedDrive();
  ASSERT_FALSE(drive.empty());
  ScratchTree tree("[SETTINGS]\nName=PromptTest\n[INSTALL_ORDER]\n1=CreateDirectory," + drive +
                   "\\App\\bin\n2=CreateDirectory,made\n");
  DeleteFileA((tree.services.SpecialFolder(kSystemFolderId) + "\\PromptTest.ini").c_str());
  // The error the failed creation leaves, as seen right after the action.
  EXPECT_EQ(tree.Script().Dispatch("CreateDirectory", drive + "\\App\\bin"), 0);
  const DWORD code = GetLastError();
  ASSERT_NE(code, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  tree.ClearLog();
  g_answers = {IDRETRY, IDIGNORE};

  EXPECT_EQ(tree.Script().Run(true), 1);
  EXPECT_EQ(tree.Script().LastChoice(), IDIGNORE);
  EXPECT_TRUE(ScratchTree::Exists(tree.Path("made")));

  // Two attempts, each with that error: opening the log in between (which sets "already exists"
  // on an existing file) must not replace it.
  const std::string error = SystemText(code);
  ASSERT_FALSE(error.empty());
  std::string expected = "Faild to CreateDirectory\nError=" + error;
  while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) expected.pop_back();
  ASSERT_EQ(g_promptTexts.size(), 2u);
  for (std::string shown : g_promptTexts) {
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    EXPECT_EQ(shown, expected);
  }

  std::string logged = error;
  while (!logged.empty() && (logged.back() == '\n' || logged.back() == '\r')) logged.pop_back();
  const std::vector<std::string> log = tree.LogMessages();
  EXPECT_EQ(log.front(), "Start Installation");
  EXPECT_EQ(std::count(log.begin(), log.end(), "Error: " + logged), 2);
  EXPECT_TRUE(Logged(log, "User selection: RETRY"));
  EXPECT_TRUE(Logged(log, "User selection: IGNORE"));
  // The uninstaller copy is attempted after the list: the script copy lands in the system folder.
  EXPECT_TRUE(ScratchTree::Exists(tree.services.SpecialFolder(kSystemFolderId) + "\\PromptTest.ini"));
  EXPECT_TRUE(Logged(log, "Failed to copy file: Install.exe"));
}

TEST_F(ErrorPrompt, AbortEndsTheRunWithoutUninstallerCopy) {
  ScratchTree tree("[SETTINGS]\nName=AbortTest\n[INSTALL_ORDER]\n1=NoSuchAction,x\n2=CreateDirectory,made\n");
  const std::string copy = tree.services.SpecialFolder(kSystemFolderId) + "\\AbortTest.ini";
  DeleteFileA(copy.c_str());
  g_answers = {IDABORT};

  EXPECT_EQ(tree.Script().Run(true), 0);
  EXPECT_EQ(tree.Script().LastChoice(), IDABORT);
  ASSERT_EQ(g_promptTexts.size(), 1u);
  EXPECT_EQ(g_promptTexts[0].rfind("Faild to NoSuchAction\nError=", 0), 0u) << g_promptTexts[0];
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("made")));
  EXPECT_FALSE(ScratchTree::Exists(copy));
  EXPECT_TRUE(Logged(tree.LogMessages(), "User selection: ABORT"));
}

}  // namespace
