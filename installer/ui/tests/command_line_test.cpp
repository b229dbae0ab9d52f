#include "command_line.h"

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
  };
  for (const auto& c : cases) {
    std::string path;
    EXPECT_EQ(IsUninstallCommand(c.line, path), c.uninstall) << c.line;
    EXPECT_EQ(path, c.path) << c.line;
  }
}

TEST(StatusLine, JoinsTextAndDetailAndCutsTo99) {
  EXPECT_EQ(StatusLine("Copy File", "setup.dat"), "Copy File: setup.dat");
  EXPECT_EQ(StatusLine("Update registry", ""), "Update registry");
  const std::string detail(200, 'd');
  const std::string line = StatusLine("Copy File", detail.c_str());
  EXPECT_EQ(line.size(), kStatusLineMax);
  EXPECT_EQ(line.substr(0, 11), "Copy File: ");
}

}  // namespace
