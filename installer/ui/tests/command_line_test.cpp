#include "command_line.h"
#include "status_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, UninstallSwitch) {
  const struct {
    const char* line;
    bool uninstall;
    const char* path;
  } cases[] = {
      {"", false, ""},
      {"/uninstall|C:\\Windows\\system32\\App.ini", true, "C:\\Windows\\system32\\App.ini"},
      {"/Uninstall|C:\\Windows\\system32\\App.ini", true, "C:\\Windows\\system32\\App.ini"},
      {"/UNINSTALL|x.ini", false, ""},  // compared exactly
      {"/Uninstall", true, "/Uninstall"},
      {"/uninstall", false, ""},
      {"/uninstall|  C:\\My Files\\App.ini ", true, "  C:\\My Files\\App.ini "},
      {"|/uninstall", false, ""},
      {"/uninstall|", true, ""},
      {"/uninstall |x.ini", false, ""},
      {"/uninstall|a|b", true, "a|b"},
      // Quoted whole, as Windows writes an argument with a blank.
      {"\"/uninstall|C:\\Windows\\System32\\Tavimor x64.ini\"", true,
       "C:\\Windows\\System32\\Tavimor x64.ini"},
      {"\"/Uninstall|x.ini\"  ", true, "x.ini"},
      {"\"/uninstall|x.ini", false, ""},
      {"\"", false, ""},
  };
  for (const auto& c : cases) {
    std::string path;
    EXPECT_EQ(IsUninstallCommand(c.line, path), c.uninstall) << c.line;
    EXPECT_EQ(path, c.path) << c.line;
  }
}

// The unattended forms; everything else starts the dialog with the text as before.
TEST(CommandLine, StartForms) {
  const StartKind dialog = StartKind::kDialog, unattended = StartKind::kUnattended,
                  unknown = StartKind::kUnknown, help = StartKind::kHelp;
  const struct {
    const char* line;
    StartKind kind;
    bool uninstall;
    const char* script;
    const char* folder;
  } cases[] = {
      {"", dialog, false, "", ""},
      {"/uninstall|C:\\App.ini", dialog, false, "", ""},
      {"/s", dialog, false, "", ""},
      {"/Sx", dialog, false, "", ""},
      {"/D=C:\\App /S", dialog, false, "", ""},
      {"/?", help, false, "", ""},
      {"/?  ", help, false, "", ""},
      {"/? /S", dialog, false, "", ""},
      {"/S", unattended, false, "", ""},
      {"/S  ", unattended, false, "", ""},
      {"/S /D=C:\\Program Files\\My App ", unattended, false, "", "C:\\Program Files\\My App "},
      {"/S   /D=x /uninstall|y", unattended, false, "", "x /uninstall|y"},
      {"/S /D=", unattended, false, "", ""},
      {"/S /uninstall|C:\\Windows\\system32\\App.ini", unattended, true, "C:\\Windows\\system32\\App.ini",
       ""},
      {"/S /Uninstall|  a b.ini", unattended, true, "  a b.ini", ""},
      {"/S /Uninstall", unattended, true, "/Uninstall", ""},
      {"/S /uninstall", unknown, false, "", ""},
      {"/S /d=C:\\App", unknown, false, "", ""},
      {"/S /UNINSTALL|x.ini", unknown, false, "", ""},
      {"/S \"/uninstall|C:\\Windows\\System32\\Tavimor x64.ini\"", unattended, true,
       "C:\\Windows\\System32\\Tavimor x64.ini", ""},
      {"\"/uninstall|C:\\My App.ini\"", dialog, false, "", ""},
  };
  for (const auto& c : cases) {
    const StartCommand command = ParseStartCommand(c.line);
    EXPECT_EQ(command.kind, c.kind) << c.line;
    EXPECT_EQ(command.uninstall, c.uninstall) << c.line;
    EXPECT_EQ(command.scriptPath, c.script) << c.line;
    EXPECT_EQ(command.folder, c.folder) << c.line;
  }
}

TEST(StatusLine, JoinsTextAndDetailAndCutsTo99) {
  EXPECT_EQ(StatusLine("Copy File", "setup.dat"), "Copy File: setup.dat");
  EXPECT_EQ(StatusLine("Update registry", ""), "Update registry");
  const std::string detail(200, 'd');
  const std::string line = StatusLine("Copy File", detail.c_str());
  EXPECT_EQ(line.size(), kStatusLineMax);
  EXPECT_EQ(line.substr(0, 11), "Copy File: ");
  // A name beyond ASCII is cut between characters, after as many as an ASCII one.
  std::string polish;
  for (int i = 0; i < 200; ++i) polish += "\xC5\x81";
  EXPECT_EQ(StatusLine("Copy File", polish.c_str()),
            "Copy File: " + polish.substr(0, 2 * (kStatusLineMax - 11)));
  // An "&" of a name is shown as itself, not as the next letter underlined.
  EXPECT_EQ(StatusLine("Copy File", "AT&T.txt"), "Copy File: AT&&T.txt");
}

}  // namespace
