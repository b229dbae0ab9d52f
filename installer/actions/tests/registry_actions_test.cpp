#include "registry_access.h"
#include "scratch_tree.h"
#include "uninstall_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <windows.h>

namespace {

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

DWORD Number(HKEY root, const std::string& path, const char* name) {
  HKEY key;
  DWORD number = 0xDEADBEEF, size = sizeof number, type = 0;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return number;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    number = 0xDEADBEEF;
  RegCloseKey(key);
  return number;
}

std::string String(HKEY root, const std::string& path, const char* name) {
  std::string text = "<none>";
  RegistryAccess::ReadString(root, path, name, text);
  return text;
}

int Count(const std::vector<std::string>& log, const std::string& message) {
  return static_cast<int>(std::count(log.begin(), log.end(), message));
}

class RegistryActions : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryAccess::DeleteKeyTree(HKEY_CURRENT_USER, "Software", "QuenrowTest");
    RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE", "QuenrowTest");
    RegDeleteKeyA(HKEY_CURRENT_USER, "QuenrowTestTop");
    RegDeleteValueA(HKEY_CURRENT_USER, "QuenrowTestKept");
  }
  void TearDown() override { SetUp(); }
};

TEST_F(RegistryActions, CreateWritesKeysAndValuesOfTheSection) {
  ScratchTree tree(
      "[SETTINGS]\nName=T\nInstallationFolder=C:\\Apps\\T\n"
      "[INSTALL_ORDER]\n1=CreateRegistry,[AppKeys]\n"
      "[AppKeys]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QuenrowTest\\Machine]\n"
      "\"Where\"=\"machine\"\n"
      "[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\n"
      "\"Path\"=\"^InstallationFolder^\"\n"
      "\"Count\"=dword:0000000a\n"
      "\"Flags\"=hex:ff\n"
      "@=\"Default\"\n"
      "Note\n"
      "[HKEY_LOCAL_MACHINE\\Software\\QuenrowTest\\StillUser]\n"
      "\"Empty\"=\n");
  EXPECT_EQ(tree.Script().Dispatch("CreateRegistry", "[AppKeys]"), 1);

  EXPECT_EQ(String(HKEY_LOCAL_MACHINE, "SOFTWARE\\QuenrowTest\\Machine", "Where"), "machine");
  const std::string app = "Software\\QuenrowTest\\App";
  EXPECT_EQ(String(HKEY_CURRENT_USER, app, "Path"), "C:\\Apps\\T");
  EXPECT_EQ(Number(HKEY_CURRENT_USER, app, "Count"), 10u);
  EXPECT_EQ(Number(HKEY_CURRENT_USER, app, "Flags"), 255u);
  EXPECT_EQ(String(HKEY_CURRENT_USER, app, nullptr), "Default");
  EXPECT_EQ(String(HKEY_CURRENT_USER, app, "Note"), "<none>");
  // HKEY_LOCAL_MACHINE after another root keeps that root.
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\QuenrowTest\\StillUser"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\QuenrowTest\\StillUser"));
  EXPECT_EQ(String(HKEY_CURRENT_USER, "Software\\QuenrowTest\\StillUser", "Empty"), "");

  const auto log = tree.LogMessages();
  EXPECT_EQ(Count(log, "Create Reg Key: " + app + " "), 1);
  EXPECT_EQ(Count(log, "Create Reg Key: SOFTWARE\\QuenrowTest\\Machine "), 1);
  EXPECT_EQ(tree.sink.statuses, std::vector<std::string>{"Update registry|"});
}

TEST_F(RegistryActions, CreateReportsAKeyThatCannotBeWritten) {
  const std::string tooLong(300, 'k');  // key names hold at most 255 characters
  ScratchTree tree("[SETTINGS]\nName=T\n[Bad]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\" + tooLong +
                   "]\n\"Value\"=\"x\"\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\Good]\n\"Value\"=\"y\"\n");
  EXPECT_EQ(tree.Script().Dispatch("CreateRegistry", "[Bad]"), 0);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(String(HKEY_CURRENT_USER, "Software\\QuenrowTest\\Good", "Value"),
            "y");  // the rest is still written
}

TEST_F(RegistryActions, DeleteRemovesTreesAndValuesOfTheParent) {
  const std::string base = "Software\\QuenrowTest";
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base + "\\App\\Sub\\Deeper", "v", "1");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base + "\\App", "Path", "x");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base + "\\App", nullptr, "default");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base, "Old", "old");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base, "Kept", "kept");
  ScratchTree tree(
      "[SETTINGS]\nName=T\n[Gone]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\nOld\n"
      "[HKEY_CURRENT_USER\\Software\\QuenrowTest\\Missing\\Key]\nAlso\n");
  EXPECT_EQ(tree.Script().Dispatch("DeleteRegistry", "x,[Gone]"), 1);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\App"));
  EXPECT_EQ(String(HKEY_CURRENT_USER, base, "Old"), "<none>");
  EXPECT_EQ(String(HKEY_CURRENT_USER, base, "Kept"), "kept");
  // Deleting what is not there creates nothing.
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Missing"));
  EXPECT_EQ(tree.sink.statuses, std::vector<std::string>{"Update Registry|"});
  EXPECT_TRUE(tree.LogMessages().empty());
}

// A key right below a root, and a later section's header read as a key line, are passed over with
// a log line: nothing under them is created, written or deleted until the next full key line.
TEST_F(RegistryActions, KeyLinesBelowTheRootAreSkippedWithTheirLines) {
  const std::string base = "Software\\QuenrowTest";
  const char skipped[] =
      "[HKEY_CURRENT_USER\\QuenrowTestTop]\n"
      "\"QuenrowTestKept\"=\"x\"\n"
      "[Notes]\n"
      "Remember=this\n"
      "QuenrowTestKept\n";
  ScratchTree create(
      std::string("[SETTINGS]\nName=T\n[Keys]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\First]\n") +
      skipped + "[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\n\"Value\"=\"y\"\n");
  EXPECT_EQ(create.Script().Dispatch("CreateRegistry", "[Keys]"), 1);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "QuenrowTestTop"));
  EXPECT_EQ(String(HKEY_CURRENT_USER, "", "QuenrowTestKept"), "<none>");
  for (const char* key : {"First", "App"}) {
    EXPECT_EQ(String(HKEY_CURRENT_USER, base + "\\" + key, "QuenrowTestKept"), "<none>") << key;
    EXPECT_EQ(String(HKEY_CURRENT_USER, base + "\\" + key, nullptr), "<none>") << key;
  }
  EXPECT_EQ(String(HKEY_CURRENT_USER, base + "\\App", "Value"), "y");
  EXPECT_EQ(
      create.LogMessages(),
      (std::vector<std::string>{"Create Reg Key: " + base + "\\First ",
                                "Skipped registry key: [HKEY_CURRENT_USER\\QuenrowTestTop]",
                                "Skipped registry key: [Notes]", "Create Reg Key: " + base + "\\App "}));

  RegistryAccess::WriteString(HKEY_CURRENT_USER, "QuenrowTestTop", "QuenrowTestKept", "top");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, "", "QuenrowTestKept", "root");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base, "QuenrowTestKept", "parent");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base, "Old", "old");
  RegistryAccess::WriteString(HKEY_CURRENT_USER, base + "\\First", "v", "1");
  ScratchTree remove(
      std::string("[SETTINGS]\nName=T\n[Keys]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\First]\n") +
      skipped + "[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\nOld\n");
  EXPECT_EQ(remove.Script().Dispatch("DeleteRegistry", "x,[Keys]"), 1);
  EXPECT_EQ(String(HKEY_CURRENT_USER, "QuenrowTestTop", "QuenrowTestKept"), "top");
  EXPECT_EQ(String(HKEY_CURRENT_USER, "", "QuenrowTestKept"), "root");
  EXPECT_EQ(String(HKEY_CURRENT_USER, base, "QuenrowTestKept"), "parent");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\First"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\App"));
  EXPECT_EQ(String(HKEY_CURRENT_USER, base, "Old"), "<none>");
  EXPECT_EQ(remove.LogMessages(),
            (std::vector<std::string>{"Skipped registry key: [HKEY_CURRENT_USER\\QuenrowTestTop]",
                                      "Skipped registry key: [Notes]"}));
}

TEST_F(RegistryActions, ScriptThatCannotBeReadAgainFails) {
  ScratchTree tree("[SETTINGS]\nName=T\n[Keys]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\n");
  ASSERT_TRUE(DeleteFileA(tree.Path("Install.ini").c_str()));
  EXPECT_EQ(tree.Script().Dispatch("CreateRegistry", "[Keys]"), 0);
  EXPECT_EQ(tree.Script().Dispatch("DeleteRegistry", "x,[Keys]"), 0);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\QuenrowTest"));
}

TEST_F(RegistryActions, RelativeScriptIsFoundAfterTheCurrentDirectoryChanged) {
  ScratchTree tree("[SETTINGS]\nName=T\n[Keys]\n[HKEY_CURRENT_USER\\Software\\QuenrowTest\\App]\n");
  tree.MakeFolder("elsewhere");
  ASSERT_TRUE(SetCurrentDirectoryA(tree.Path("elsewhere").c_str()));  // as Browse does
  EXPECT_EQ(tree.Script().Dispatch("CreateRegistry", "[Keys]"), 1);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\QuenrowTest\\App"));

  EXPECT_EQ(tree.Script().Dispatch("AditionUninstallData", "x"), 1);
  EXPECT_FALSE(ScratchTree::Exists(tree.Path("elsewhere\\Install.ini")));
  EXPECT_EQ(tree.Script().GetValue("SETTINGS", "Name"), "");
}

TEST_F(RegistryActions, UninstallRecordRoundTripAndMissingRecordCreatesNothing) {
  WriteUninstallRecord("QuenrowTestRecord", "C:\\Program Files\\T");
  std::string folder;
  EXPECT_TRUE(ReadUninstallRecord("QuenrowTestRecord", folder));
  EXPECT_EQ(folder, "C:\\Program Files\\T");
  RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow", "QuenrowTestRecord");

  EXPECT_FALSE(ReadUninstallRecord("QuenrowTestNone", folder));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow\\QuenrowTestNone"));

  // A record longer than the 255-character buffer is not read rather than read cut.
  WriteUninstallRecord("QuenrowTestLong", std::string(300, 'f'));
  EXPECT_FALSE(ReadUninstallRecord("QuenrowTestLong", folder));
  RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow", "QuenrowTestLong");
}

}  // namespace
