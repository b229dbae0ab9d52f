// The stand-in host's mode for people, run as a program: it opens the real editor dialog on a
// document file and saves the document after OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

HWND WaitForWindow(const char* caption, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    HWND window = FindWindowA(nullptr, caption);
    if (window && IsWindowVisible(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

TEST(HoststubProgram, EditsADocumentFileThroughTheEditorDialog) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string document = std::string(folder) + "hoststub_document.txt";
  {
    std::ofstream out(document, std::ios::binary);
    out << "Title=Harbour\nPhotographer=R. Vale\nKeyword=sea\nKeyword=boats\n";
  }
  std::string command =
      std::string("\"") + HOSTSTUB_PATH + "\" --plugin \"" + PLUGIN_PATH + "\" \"" + document + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(
      CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      << command;

  HWND dialog = WaitForWindow("Tavimor", 30000);
  ASSERT_NE(dialog, nullptr) << "the editor dialog did not open";
  char text[256] = {};
  GetDlgItemTextA(dialog, 1034, text, sizeof text);
  EXPECT_STREQ(text, "Harbour");
  GetDlgItemTextA(dialog, 1019, text, sizeof text);
  EXPECT_STREQ(text, "sea; boats; ");
  SetDlgItemTextA(dialog, 1034, "Harbour at dawn");
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);

  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  const std::string saved = ReadFile(document);
  EXPECT_NE(saved.find("Title=Harbour at dawn\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Photographer=R. Vale\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Keyword=sea\nKeyword=boats\n"), std::string::npos) << saved;
  DeleteFileA(document.c_str());
}

}  // namespace
