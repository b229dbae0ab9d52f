// The shipped bundle end to end: Install.exe with the shipped Install.ini puts the plug-in into the
// chosen folder, sets up the library root with its dictionaries and an uninstall shortcut; the
// shortcut's uninstaller removes what was installed and leaves the user's own library files.
#include "dialog_driver.h"
#include "installer_driver.h"
#include "plugin_loader.h"
#include "registry_access.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace installer_driver;

const char* const kBundleFiles[] = {"Install.exe", "Install.ini", "Tavimor.8li", "en_US.aff",
                                    "en_US.dic",   "en_US.idx",   "en_US.dat"};
// The editor's spell-checker command and the spell-check dialog's word and suggestion list.
constexpr int kSpellCheckerCommand = 25000, kSpellWord = 1025, kSpellSuggestions = 1038;
// The editor's button that offers the saved templates.
constexpr int kLoadTemplate = 6;

const char* const kDictionaries[] = {"en_US.aff", "en_US.dic", "en_US.idx", "en_US.dat"};

class BundleInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root = std::string(temp) + "bundle_" + std::to_string(GetCurrentProcessId());
    RemoveFolder(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    const std::string bundle = WindowsPath(BUNDLE_DIR);
    for (const char* name : kBundleFiles)
      ASSERT_TRUE(CopyFileA((bundle + "\\" + name).c_str(), (root + "\\" + name).c_str(), FALSE)) << name;
    // Start from a library root without dictionaries, so that the install has to place them.
    for (const char* name : kDictionaries) DeleteFileA((library + name).c_str());
  }
  void TearDown() override {
    if (HasFailure()) std::cout << ReadFile(root + "\\Install.log");  // what the runs did
    RemoveFolder(root);
    // Leave the prefix's library root as the other tests expect it: not there.
    for (const char* name : {"Templates\\Last.tmp", "Templates\\Mine.tmp", "Groups\\Birds\\Owls.tmp",
                             "Recent.dat", "SavedWords.dat"})
      DeleteFileA((library + name).c_str());
    for (const char* folder : {"Groups\\Birds", "Groups", "Templates", ""})
      RemoveDirectoryA((library + folder).c_str());
  }

  std::string root;
  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  const std::string library = system + "\\kwTemplates\\";
};

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 255)
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

// Loads the installed plug-in and runs "Do It" with the editor on these keywords while script
// drives it.
void RunInstalledPlugin(const std::string& module, const std::vector<std::string>& keywords,
                        DialogScript script) {
  stub::FakeHost host;
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
  {
    LoadedPlugin plugin(module.c_str());
    ASSERT_TRUE(plugin.Loaded()) << module;
    host.SetKeywords(keywords);
    bool finished = false;
    RunScripted([&] { return static_cast<INT_PTR>(plugin.DoIt(host, &params)); }, std::move(script),
                &finished, 30000);
    EXPECT_TRUE(finished);
  }
  if (params.descriptor) host.FreeDescriptor(params.descriptor);
}

DialogStep OnEditor(std::function<void(HWND)> action) {
  return OnWindow("Tavimor", std::move(action));
}

DialogStep Click(int id) {
  return OnEditor([id](HWND editor) { PostMessageA(GetDlgItem(editor, id), BM_CLICK, 0, 0); });
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST_F(BundleInstall, InstallsIntoTheChosenFolderAndUninstallsKeepingUserFiles) {
  const std::string plugins = root + "\\Plug-Ins";
  {
    Installer install(root + "\\Install.exe", "", root);
    HWND dialog = install.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1004), "Welcome to Tavimor Setup");
    EXPECT_EQ(AskText(dialog, 1002), "C:\\Program Files\\Adobe\\Adobe Photoshop CS2\\Plug-Ins");
    EXPECT_TRUE(Visible(dialog, 1000));  // Browse
    DWORD_PTR ignored;
    SendMessageTimeoutA(GetDlgItem(dialog, 1002), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plugins.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_EQ(install.Run(), "Tavimor Setup has comlpeted successfuly");
    EXPECT_TRUE(install.prompts.empty()) << install.prompts[0];
    Press(dialog, 1001);  // Finish
  }

  EXPECT_EQ(ReadFile(plugins + "\\Tavimor.8li"), ReadFile(root + "\\Tavimor.8li"));
  for (const char* branch : {"Templates", "Groups"}) {
    const DWORD attributes = GetFileAttributesA((library + branch).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << branch;
  }
  for (const char* name : kDictionaries) {
    const std::string installed = ReadFile(library + name);
    EXPECT_FALSE(installed.empty()) << name;
    EXPECT_EQ(installed, ReadFile(root + "\\" + name)) << name;
  }
  std::string recorded;
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow\\Tavimor",
                                         "InstallationFolder", recorded));
  EXPECT_EQ(recorded, plugins);

  // The Start-menu shortcut starts the uninstaller copy on the script copy.
  const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\Tavimor";
  Link link;
  ASSERT_TRUE(ReadLink(group + "\\Uninstall Tavimor.lnk", link));
  EXPECT_EQ(link.target, system + "\\Quenrow.exe");
  EXPECT_EQ(link.arguments, "/uninstall|" + system + "\\Tavimor.ini");
  EXPECT_TRUE(Exists(link.target));
  EXPECT_EQ(ReadFile(system + "\\Tavimor.ini"), ReadFile(root + "\\Install.ini"));

  // The installed plug-in finds the installed dictionaries: the misspelt word gets its correction.
  const std::string module = plugins + "\\Tavimor.8li";
  std::vector<std::string> spelling;
  RunInstalledPlugin(module, {"harbr"},
                     {OnEditor([](HWND editor) {
                        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kSpellCheckerCommand, 0), 0);
                      }),
                      OnWindow("Spell Checker",
                               [&spelling](HWND dialog) {
                                 spelling = ListEntries(GetDlgItem(dialog, kSpellSuggestions));
                                 spelling.insert(spelling.begin(), ItemText(dialog, kSpellWord));
                                 PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                               }),
                      WhenClosed("Spell Checker"), Click(IDCANCEL)});
  ASSERT_FALSE(spelling.empty());
  EXPECT_EQ(spelling[0], "harbr");
  EXPECT_NE(std::find(spelling.begin() + 1, spelling.end(), "harbor"), spelling.end());

  // ... and its library: a confirmed run saves Last in Templates, and the next run lists it.
  RunInstalledPlugin(module, {"sea"}, {Click(IDOK)});
  EXPECT_TRUE(Exists(library + "Templates\\Last.tmp"));
  std::vector<std::string> listed;
  RunInstalledPlugin(module, {},
                     {Click(kLoadTemplate),
                      {[&listed] {
                        HWND popup = FindVisibleWindow("#32768", nullptr);
                        if (!popup) return false;
                        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
                        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                          char text[256] = "";
                          GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                          listed.push_back(text);
                        }
                        EndMenu();
                        return true;
                      }},
                      Click(IDCANCEL)});
  EXPECT_NE(std::find(listed.begin(), listed.end(), "Last"), listed.end());

  // The photographer's own library: a template, a group, recent values and added words.
  WriteFile(library + "Templates\\Mine.tmp", "mine");
  CreateDirectoryA((library + "Groups\\Birds").c_str(), nullptr);
  WriteFile(library + "Groups\\Birds\\Owls.tmp", "owls");
  WriteFile(library + "Recent.dat", "recent");
  WriteFile(library + "SavedWords.dat", "Tavimor\n");

  {
    Installer uninstall(link.target, link.arguments, root);
    HWND dialog = uninstall.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1001), "UnInstall");
    EXPECT_EQ(uninstall.Run(), "Tavimor Setup has comlpeted successfuly");
    EXPECT_TRUE(uninstall.prompts.empty()) << uninstall.prompts[0];
    Press(dialog, 1001);
  }

  EXPECT_FALSE(Exists(plugins + "\\Tavimor.8li"));
  for (const char* name : kDictionaries) EXPECT_FALSE(Exists(library + name)) << name;
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(Exists(system + "\\Tavimor.ini"));
  EXPECT_FALSE(RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow\\Tavimor",
                                          "InstallationFolder", recorded));
  EXPECT_EQ(ReadFile(library + "Templates\\Mine.tmp"), "mine");
  EXPECT_EQ(ReadFile(library + "Groups\\Birds\\Owls.tmp"), "owls");
  EXPECT_EQ(ReadFile(library + "Recent.dat"), "recent");
  EXPECT_EQ(ReadFile(library + "SavedWords.dat"), "Tavimor\n");
}

}  // namespace
