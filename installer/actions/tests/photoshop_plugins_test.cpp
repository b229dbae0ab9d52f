// The built-in script variable PhotoshopPlugins, from the registry of the test prefix.
#include "registry_access.h"
#include "scratch_tree.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

const char kScript[] =
    "[SETTINGS]\nName=T\nDefaultInstFolder=^PhotoshopPlugins^\n"
    "[INSTALL_ORDER]\n1=CopyFile,a.txt,^PhotoshopPlugins^,a.txt,TRUE\n";

class PhotoshopPlugins : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe", "Photoshop");
    char common[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("CommonProgramW6432", common, sizeof common);
    hadCommon_ = length > 0 && length < sizeof common;
    if (hadCommon_) common_ = common;
  }
  void TearDown() override {
    RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe", "Photoshop");
    SetEnvironmentVariableA("CommonProgramW6432", hadCommon_ ? common_.c_str() : nullptr);
  }
  // A version key whose PluginPath names folder (no PluginPath at all when folder is null).
  static void AddVersion(const std::string& version, const char* folder) {
    const std::string key = "SOFTWARE\\Adobe\\Photoshop\\" + version;
    RegistryAccess::WriteString(HKEY_LOCAL_MACHINE, key, "ApplicationPath", "C:\\Photoshop\\");
    if (folder) RegistryAccess::WriteString(HKEY_LOCAL_MACHINE, key + "\\PluginPath", nullptr, folder);
  }
  // Loads the script again, now that the registry is laid out.
  static std::string Reloaded(ScratchTree& tree) {
    EXPECT_EQ(tree.Script().Load("", &tree.sink), 1);
    return tree.Script().GetVariable("PhotoshopPlugins");
  }

 private:
  bool hadCommon_ = false;
  std::string common_;
};

TEST_F(PhotoshopPlugins, TheNewestVersionByNumberWithAUsableFolderWins) {
  ScratchTree tree(kScript);
  for (const char* folder : {"CS2", "2023", "2024", "Other"}) tree.MakeFolder(folder);
  AddVersion("9.0", tree.Path("CS2").c_str());
  AddVersion("170.0", tree.Path("2023").c_str());
  AddVersion("180.0", (tree.Path("2024") + "\\").c_str());  // as Photoshop writes it
  AddVersion("190.0", tree.Path("Gone").c_str());           // uninstalled: no such folder
  AddVersion("200.0", "");
  AddVersion("210.0", nullptr);
  for (const char* notVersion : {"Settings", "999.0a", "1000.", ".1000", "1000..0", "99999999999.0"})
    AddVersion(notVersion, tree.Path("Other").c_str());

  EXPECT_EQ(Reloaded(tree), tree.Path("2024"));
  // Set before [SETTINGS], so the settings see it; and so do the action entries.
  EXPECT_EQ(tree.Script().GetVariable("DefaultInstFolder"), tree.Path("2024"));
  EXPECT_EQ(tree.Script().GetEntry("INSTALL_ORDER", 1),
            "CopyFile,a.txt," + tree.Path("2024") + ",a.txt,TRUE");

  RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop", "180.0");
  EXPECT_EQ(Reloaded(tree), tree.Path("2023"));
}

TEST_F(PhotoshopPlugins, AScriptMayDefineItsOwnValue) {
  ScratchTree tree(
      "[SETTINGS]\nName=T\nPhotoshopPlugins=D:\\Mine\nDefaultInstFolder=^PhotoshopPlugins^\\Sub\n");
  tree.MakeFolder("2024");
  AddVersion("180.0", tree.Path("2024").c_str());
  EXPECT_EQ(Reloaded(tree), "D:\\Mine");
  EXPECT_EQ(tree.Script().GetVariable("DefaultInstFolder"), "D:\\Mine\\Sub");
}

TEST_F(PhotoshopPlugins, WithoutAPhotoshopTheCommonPlugInsFolder) {
  ScratchTree tree(kScript);
  EXPECT_EQ(tree.Script().GetVariable("PhotoshopPlugins"),
            "C:\\Program Files\\Common Files\\Adobe\\Plug-Ins\\CC");
  // A version without a usable folder counts as none.
  AddVersion("180.0", tree.Path("Gone").c_str());
  // The 64-bit Common Files folder as the environment names it, which is what a 32-bit process
  // on 64-bit Windows has to go by.
  SetEnvironmentVariableA("CommonProgramW6432", "D:\\Common 64");
  EXPECT_EQ(Reloaded(tree), "D:\\Common 64\\Adobe\\Plug-Ins\\CC");
  EXPECT_EQ(tree.Script().GetVariable("DefaultInstFolder"), "D:\\Common 64\\Adobe\\Plug-Ins\\CC");
}

}  // namespace
