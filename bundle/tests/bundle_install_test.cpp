// The shipped bundles end to end: Install.exe with the bundle's Install.ini puts the plug-in into
// the chosen folder (the x64 bundle: the plug-ins folder of the newest Photoshop in the registry),
// the dictionaries where the plug-in finds them and an uninstall shortcut into the Start menu; the
// shortcut's uninstaller removes what was installed and leaves the user's own library files.
#include "dialog_driver.h"
#include "installer_driver.h"
#include "plugin_loader.h"
#include "registry_access.h"
#include "version.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace installer_driver;

// The editor's spell-checker command and the spell-check dialog's word and suggestion list.
constexpr int kSpellCheckerCommand = 25000, kSpellWord = 1025, kSpellSuggestions = 1038;
// The editor's button that offers the saved templates.
constexpr int kLoadTemplate = 6;

const char* const kDictionaries[] = {"en_US.aff", "en_US.dic", "en_US.idx", "en_US.dat"};

// The dictionaries and thesauri installed as shared files: the 64-bit products' also in
// German, French, Spanish, Italian, Brazilian Portuguese, Polish and Russian, named as en_US's.
std::vector<std::string> Dictionaries(bool x64) {
  std::vector<std::string> names(std::begin(kDictionaries), std::end(kDictionaries));
  if (x64) {
    for (const char* tag : {"de_DE", "fr_FR", "es_ES", "it_IT", "pt_BR", "pl_PL", "ru_RU"})
      for (const char* extension : {".aff", ".dic", ".idx", ".dat"})
        names.push_back(tag + std::string(extension));
  }
  return names;
}

// What a bundle holds.
std::vector<std::string> BundleFiles(bool x64) {
  std::vector<std::string> names = {"Install.exe", "Install.ini", "Tavimor.8li"};
  for (const std::string& name : Dictionaries(x64)) names.push_back(name);
  return names;
}

// Where Windows lists installed programs, and where installers count shared files.
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kSharedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

DWORD SharedCount(const std::string& path) {
  DWORD count = 0;
  RegistryAccess::ReadNumber(HKEY_LOCAL_MACHINE, kSharedKey, path.c_str(), count, KEY_WOW64_64KEY);
  return count;
}

std::string Registered(const std::string& product, const char* name) {
  std::string text;
  RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, kUninstallKey + product, name, text);
  return text;
}

#ifdef BUNDLE_PRODUCT_DIR
// Runs a command line exactly as it is registered, as Settings does; its exit code.
DWORD RunRegistered(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}
#endif

// What tells the two bundles apart.
struct BundleKind {
  const char* folder;  // where the build assembled it
  std::string name;    // the script's Name
  bool x64;            // the x64 script: its default folder comes from the registry
};

class BundleInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root = std::string(temp) + "bundle_" + std::to_string(GetCurrentProcessId());
    RemoveFolder(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    // Start from library roots that are not there, so that the install has to place the
    // dictionaries and the plug-in makes its own root.
    RemoveFolder(classic);
    RemoveFolder(perUser);
    ForgetSharedFiles();
  }
  // No counts or uninstaller copy of an earlier test: each test starts as on a fresh machine.
  void ForgetSharedFiles() {
    for (const std::string& name : Dictionaries(true))
      RegistryAccess::DeleteValue(HKEY_LOCAL_MACHINE, kSharedKey, (classic + name).c_str(), KEY_WOW64_64KEY);
    RegistryAccess::DeleteValue(HKEY_LOCAL_MACHINE, kSharedKey, uninstaller.c_str(), KEY_WOW64_64KEY);
    DeleteFileA(uninstaller.c_str());
  }
  void TearDown() override {
    if (HasFailure()) std::cout << ReadFile(root + "\\Install.log");  // what the runs did
    RemoveFolder(root);
    // Leave the prefix as the other tests expect it: no library roots, no Photoshop.
    RemoveFolder(classic);
    RemoveFolder(perUser);
    RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe", "Photoshop");
    ForgetSharedFiles();
  }

  void InstallUseAndUninstall(const BundleKind& kind);

  std::string root;
  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  // Where the install puts the dictionaries, and the 32-bit plug-in keeps its library.
  const std::string classic = system + "\\kwTemplates\\";
  const std::string uninstaller = system + "\\Quenrow.exe";
  // Where the 64-bit plug-in keeps its library.
  const std::string perUser = SpecialFolder(CSIDL_APPDATA) + "\\Tavimor\\kwTemplates\\";
  // The library of the plug-in this tree built.
  const std::string library = sizeof(void*) == 8 ? perUser : classic;
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

// The photographer's own library: a template, a group in a folder, recent values and added words.
const char* const kUserFiles[][2] = {{"Templates\\Mine.tmp", "mine"},
                                     {"Groups\\Birds\\Owls.tmp", "owls"},
                                     {"Recent.dat", "recent"},
                                     {"SavedWords.dat", "Tavimor\n"}};

void BundleInstall::InstallUseAndUninstall(const BundleKind& kind) {
  const std::string bundle = WindowsPath(kind.folder);
  for (const std::string& name : BundleFiles(kind.x64))
    ASSERT_TRUE(CopyFileA((bundle + "\\" + name).c_str(), (root + "\\" + name).c_str(), FALSE)) << name;
  const std::string plugins = root + "\\Plug-Ins";
  if (kind.x64) {
    // A Photoshop as its installer registers it, with an older one beside it.
    ASSERT_TRUE(CreateDirectoryA(plugins.c_str(), nullptr));
    const std::string key = "SOFTWARE\\Adobe\\Photoshop\\";
    RegistryAccess::WriteString(HKEY_LOCAL_MACHINE, key + "180.0\\PluginPath", nullptr, plugins + "\\");
    RegistryAccess::WriteString(HKEY_LOCAL_MACHINE, key + "90.0\\PluginPath", nullptr, root);
  }
  const std::string finished = kind.name + " Setup has comlpeted successfuly";
  {
    Installer install(root + "\\Install.exe", "", root);
    HWND dialog = install.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1004), "Welcome to Tavimor Setup");
    EXPECT_TRUE(Visible(dialog, 1000));  // Browse
    if (kind.x64) {
      EXPECT_EQ(AskText(dialog, 1002), plugins);
    } else {
      EXPECT_EQ(AskText(dialog, 1002), "C:\\Program Files\\Adobe\\Adobe Photoshop CS2\\Plug-Ins");
      DWORD_PTR ignored;
      SendMessageTimeoutA(GetDlgItem(dialog, 1002), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plugins.c_str()),
                          SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    EXPECT_EQ(install.Run(), finished);
    EXPECT_TRUE(install.prompts.empty()) << install.prompts[0];
    Press(dialog, 1001);  // Finish
  }

  EXPECT_EQ(ReadFile(plugins + "\\Tavimor.8li"), ReadFile(root + "\\Tavimor.8li"));
  // The 32-bit plug-in's library root is made by the install; the x64 plug-in makes its own.
  for (const char* branch : {"Templates", "Groups"}) EXPECT_EQ(Exists(classic + branch), !kind.x64) << branch;
  for (const std::string& name : Dictionaries(kind.x64)) {
    const std::string installed = ReadFile(classic + name);
    EXPECT_FALSE(installed.empty()) << name;
    EXPECT_EQ(installed, ReadFile(root + "\\" + name)) << name;
    EXPECT_EQ(SharedCount(classic + name), 1u) << name;
  }
  const std::string record = "SOFTWARE\\Quenrow\\" + kind.name;
  std::string recorded;
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, record, "InstallationFolder", recorded));
  EXPECT_EQ(recorded, plugins);

  // The Start-menu shortcut starts the uninstaller copy on the script copy.
  const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\" + kind.name;
  const std::string scriptCopy = system + "\\" + kind.name + ".ini";
  Link link;
  ASSERT_TRUE(ReadLink(group + "\\Uninstall " + kind.name + ".lnk", link));
  EXPECT_EQ(link.target, system + "\\Quenrow.exe");
  EXPECT_EQ(link.arguments, "/uninstall|" + scriptCopy);
  EXPECT_TRUE(Exists(link.target));
  EXPECT_EQ(ReadFile(scriptCopy), ReadFile(root + "\\Install.ini"));

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

  // The photographer's own files, in every library root there may be: none of them is the
  // uninstall's to remove.
  for (const std::string& at : {classic, perUser}) {
    for (const char* folder : {"Templates", "Groups\\Birds"})
      SHCreateDirectoryExA(nullptr, (at + folder).c_str(), nullptr);
    for (const auto& file : kUserFiles) WriteFile(at + file[0], file[1]);
  }

  // Windows' list of programs names it, and its uninstall string runs the uninstaller copy on the
  // script copy, the argument quoted as Windows quotes one that holds a blank.
  EXPECT_EQ(Registered(kind.name, "DisplayName"), kind.name);
  EXPECT_EQ(Registered(kind.name, "DisplayVersion"), TAVIMOR_FILE_VERSION);
  EXPECT_EQ(Registered(kind.name, "UninstallString"),
            "\"" + link.target + "\" " + "\"" + link.arguments + "\"");
  EXPECT_EQ(Registered(kind.name, "QuietUninstallString"),
            "\"" + link.target + "\" /S " + "\"" + link.arguments + "\"");
  {
    Installer uninstall(link.target, "\"" + link.arguments + "\"", root);
    HWND dialog = uninstall.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1001), "UnInstall");
    EXPECT_EQ(uninstall.Run(), finished);
    EXPECT_TRUE(uninstall.prompts.empty()) << uninstall.prompts[0];
    Press(dialog, 1001);
  }

  EXPECT_FALSE(Exists(plugins + "\\Tavimor.8li"));
  for (const std::string& name : Dictionaries(kind.x64)) {
    EXPECT_FALSE(Exists(classic + name)) << name;
    EXPECT_EQ(SharedCount(classic + name), 0u) << name;
  }
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(Exists(scriptCopy));
  EXPECT_FALSE(RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, record, "InstallationFolder", recorded));
  EXPECT_EQ(Registered(kind.name, "DisplayName"), "");
  for (const std::string& at : {classic, perUser})
    for (const auto& file : kUserFiles) EXPECT_EQ(ReadFile(at + file[0]), file[1]) << at << file[0];
}

// The 32-bit bundle's script (run by the 64-bit tree's programs in the 64-bit tree).
TEST_F(BundleInstall, InstallsIntoTheChosenFolderAndUninstallsKeepingUserFiles) {
  InstallUseAndUninstall({BUNDLE_DIR, "Tavimor", false});
}

// The 64-bit tree's own product (x64 or ARM64): the x64 script under the product's name.
#ifdef BUNDLE_PRODUCT_DIR
TEST_F(BundleInstall, X64InstallsForTheNewestPhotoshopAndUninstallsKeepingUserFiles) {
  InstallUseAndUninstall({BUNDLE_PRODUCT_DIR, BUNDLE_PRODUCT_NAME, true});
}

// Two products on one computer: both put the dictionaries into the system folder and leave the
// uninstaller copy there. Uninstalling one, by its quiet uninstall string exactly as registered,
// leaves the other's dictionaries and uninstaller; the last one removes them with their counts.
TEST_F(BundleInstall, TwoProductsShareTheDictionariesAndTheUninstaller) {
  const struct {
    const char* bundle;
    std::string name;
    bool x64;
  } products[] = {{BUNDLE_DIR, "Tavimor", false}, {BUNDLE_PRODUCT_DIR, BUNDLE_PRODUCT_NAME, true}};
  for (const auto& product : products) {
    const std::string folder = root + "\\" + product.name;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const std::string& name : BundleFiles(product.x64))
      ASSERT_TRUE(CopyFileA((WindowsPath(product.bundle) + "\\" + name).c_str(),
                            (folder + "\\" + name).c_str(), FALSE));
    EXPECT_EQ(RunToEnd(folder + "\\Install.exe", "/S /D=" + folder + "\\Plug-Ins", folder), 0u)
        << product.name;
  }
  // en_US is counted by both; the languages only the 64-bit product ships, once.
  for (const std::string& name : Dictionaries(true))
    EXPECT_EQ(SharedCount(classic + name), name.rfind("en_US", 0) == 0 ? 2u : 1u) << name;
  EXPECT_EQ(SharedCount(uninstaller), 2u);

  for (int left = 1; left >= 0; --left) {
    const std::string& name = products[1 - left].name;
    EXPECT_EQ(RunRegistered(Registered(name, "QuietUninstallString")), 0u) << name;
    EXPECT_EQ(Registered(name, "DisplayName"), "") << name;
    EXPECT_FALSE(Exists(root + "\\" + name + "\\Plug-Ins\\Tavimor.8li")) << name;
    // The 32-bit product goes first: what is left is the 64-bit product's, counted once.
    for (const std::string& file : Dictionaries(true)) {
      EXPECT_EQ(Exists(classic + file), left == 1) << name << " " << file;
      EXPECT_EQ(SharedCount(classic + file), static_cast<DWORD>(left)) << name << " " << file;
    }
    EXPECT_EQ(SharedCount(uninstaller), static_cast<DWORD>(left)) << name;
    if (left == 1) {
      EXPECT_TRUE(Exists(uninstaller));
      EXPECT_EQ(Registered(products[1].name, "DisplayName"), products[1].name);
    }
  }
}
#endif

}  // namespace
