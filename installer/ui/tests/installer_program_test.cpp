// End to end: starts Install.exe as its own process in a folder holding a script and payload,
// drives its dialog like a user, and checks what it left in the Wine prefix; then runs the
// uninstaller copy and checks that the script's uninstall list removed it all.
#include "installer_dialog.h"
#include "installer_driver.h"
#include "registry_access.h"
#include "system_text.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace installer_driver;

// A folder with Install.exe, the payload and a script; the markers folder is passed to the
// payload through the environment.
class InstallerProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (int n = 0;; ++n) {
      root = std::string(temp) + "e2e_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(n);
      if (CreateDirectoryA(root.c_str(), nullptr)) break;
      ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    }
    markers = root + "\\markers";
    CreateDirectoryA(markers.c_str(), nullptr);
    SetEnvironmentVariableA("QUENROW_TEST_MARKERS", markers.c_str());
    ASSERT_TRUE(CopyFileA(WindowsPath(INSTALL_EXE).c_str(), (root + "\\Install.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WindowsPath(PAYLOAD_LIBRARY).c_str(), (root + "\\regtest.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WindowsPath(MARKER_PROGRAM).c_str(), (root + "\\marker.exe").c_str(), FALSE));
    std::ofstream(root + "\\payload.txt") << "payload";
  }

  void TearDown() override { RemoveFolder(root); }

  void WriteScript(const std::string& text) const {
    std::ofstream(root + "\\Install.ini", std::ios::binary) << text;
  }

  std::vector<std::string> LogMessages() const {
    std::vector<std::string> messages;
    std::istringstream log(ReadFile(root + "\\Install.log"));
    std::string line;
    while (std::getline(log, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();  // written in text mode
      messages.push_back(line.size() > 11 ? line.substr(11) : line);
    }
    return messages;
  }

  bool Logged(const std::string& message) const {
    for (const std::string& line : LogMessages())
      if (line == message) return true;
    return false;
  }

  std::string root;
  std::string markers;
};

DWORD ServiceStartType(const char* name) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = manager ? OpenServiceA(manager, name, SERVICE_QUERY_CONFIG) : nullptr;
  DWORD type = 0xFFFFFFFF;
  if (service) {
    BYTE buffer[8192];
    DWORD needed = 0;
    if (QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), sizeof buffer,
                            &needed))
      type = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer)->dwStartType;
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return type;
}

bool ReadNumber(HKEY root, const char* path, const char* name, DWORD& number) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = sizeof number;
  const bool read =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) == ERROR_SUCCESS &&
      type == REG_DWORD;
  RegCloseKey(key);
  return read;
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

const char kFullScript[] =
    "[SETTINGS]\n"
    "Name=QuenrowE2E\n"
    "WelcomeText=Welcome to the test\n"
    "InfoText=Installs the test payload.\n"
    "BrowseText=Pick a folder\n"
    "DefaultInstFolder=^Root^\\Target\n"
    "[INSTALL_ORDER]\n"
    "1=CopyFile,payload.txt,^InstallationFolder^\\data,payload.txt,TRUE\n"
    "2=CopyFile,regtest.dll,^InstallationFolder^,regtest.dll,TRUE\n"
    "3=CopyFile,marker.exe,^InstallationFolder^,marker.exe,TRUE\n"
    "4=CreateRegistry,[E2EKeys]\n"
    "5=CreateShortCut,^InstallationFolder^\\marker.exe,/desk,E2E App,Desktop,x,On the desktop,"
    "C:\\windows\\system32\\shell32.dll,3\n"
    "6=CreateShortCut,^InstallationFolder^\\marker.exe,/menu,E2E Menu,Menu,E2E Group,In the menu,"
    "^InstallationFolder^\\marker.exe,5\n"
    "7=RegisterServer,^InstallationFolder^\\marker.exe,QuenrowE2ESvc,Quenrow E2E Service,auto\n"
    "8=DllRegisterServer,^InstallationFolder^\\regtest.dll\n"
    "9=RunExeFile,^InstallationFolder^\\marker.exe,started\n"
    "10=StartServer,QuenrowNoSuchService\n"
    "[UN_INSTALL_ORDER]\n"
    "1=DllUnRegisterServer,^InstallationFolder^\\regtest.dll\n"
    "2=UnRegisterServer,QuenrowE2ESvc\n"
    "3=DeleteShortCut,x,E2E App,Desktop,x\n"
    "4=DeleteMenuGroup,E2E Group\n"
    "5=DeleteRegistry,x,[E2EKeys]\n"
    "6=DeleteDirectory,^InstallationFolder^\n"
    "7=DeleteFile,^SystemFolder^\\QuenrowE2E.ini\n"
    "[E2EKeys]\n"
    "[HKEY_CURRENT_USER\\Software\\QuenrowE2E\\App]\n"
    "\"Path\"=\"^InstallationFolder^\"\n"
    "\"Count\"=dword:0000000a\n"
    "\"Flags\"=hex:ff\n"
    "@=\"Default text\"\n"
    "Note\n";

TEST_F(InstallerProgram, InstallsAndUninstallsFromTheScript) {
  std::string script = kFullScript;
  script.insert(script.find("Name="), "Root=" + root + "\n");
  WriteScript(script);
  const std::string target = root + "\\Target";
  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  const std::string desktopLink = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\E2E App.lnk";
  const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\E2E Group";

  {
    Installer install(root + "\\Install.exe", "", root);
    HWND dialog = install.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1004), "Welcome to the test");
    EXPECT_EQ(Text(dialog, 1009), "Installs the test payload.");
    EXPECT_EQ(Text(dialog, 1005), "Pick a folder");
    EXPECT_EQ(AskText(dialog, 1002), target);
    EXPECT_EQ(Text(dialog, 1001), "Install");
    for (int id : {1000, 1002, 1005, 2, 1001}) EXPECT_TRUE(Visible(dialog, id)) << id;
    for (int id : {1006, 1007}) EXPECT_FALSE(Visible(dialog, id)) << id;

    EXPECT_EQ(install.Run(), "QuenrowE2E Setup has comlpeted successfuly");
    ASSERT_EQ(install.prompts.size(), 1u);  // the missing service, ignored
    EXPECT_EQ(install.prompts[0].rfind("Faild to StartServer\nError=", 0), 0u) << install.prompts[0];
    EXPECT_FALSE(Visible(dialog, 2));
    EXPECT_FALSE(Visible(dialog, 1006));
    EXPECT_TRUE(Visible(dialog, 1007));
    // Ten lines in the list: a range of (10 + 1) x 10, filled by ten entries and the end.
    DWORD_PTR high = 0, position = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, 1007), PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &high);
    SendMessageTimeoutA(GetDlgItem(dialog, 1007), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position);
    EXPECT_EQ(high, 110u);
    EXPECT_EQ(position, 110u);
    Press(dialog, 1001);  // Finish
    EXPECT_EQ(install.ExitCode(), 0u);
  }

  EXPECT_EQ(ReadFile(target + "\\data\\payload.txt"), "payload");
  std::string text;
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_CURRENT_USER, "Software\\QuenrowE2E\\App", "Path", text));
  EXPECT_EQ(text, target);
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_CURRENT_USER, "Software\\QuenrowE2E\\App", nullptr, text));
  EXPECT_EQ(text, "Default text");
  DWORD number = 0;
  EXPECT_TRUE(ReadNumber(HKEY_CURRENT_USER, "Software\\QuenrowE2E\\App", "Count", number));
  EXPECT_EQ(number, 10u);
  EXPECT_TRUE(ReadNumber(HKEY_CURRENT_USER, "Software\\QuenrowE2E\\App", "Flags", number));
  EXPECT_EQ(number, 255u);

  Link link;
  ASSERT_TRUE(ReadLink(desktopLink, link));
  EXPECT_EQ(link.target, target + "\\marker.exe");
  EXPECT_EQ(link.arguments, "/desk");
  EXPECT_EQ(link.description, "On the desktop");
  EXPECT_EQ(link.icon, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(link.iconIndex, 3);
  ASSERT_TRUE(ReadLink(group + "\\E2E Menu.lnk", link));
  EXPECT_EQ(link.arguments, "/menu");
  EXPECT_EQ(link.icon, target + "\\marker.exe");
  EXPECT_EQ(link.iconIndex, 0);  // an index counts only for a library

  EXPECT_EQ(ServiceStartType("QuenrowE2ESvc"),
            static_cast<DWORD>(SERVICE_DEMAND_START));  // "auto" is not "Auto"
  EXPECT_TRUE(WaitFor(markers + "\\registered.marker"));
  EXPECT_TRUE(WaitFor(markers + "\\ran.marker"));
  EXPECT_NE(ReadFile(markers + "\\ran.marker").find("started"), std::string::npos);

  EXPECT_TRUE(Logged("Start Installation"));
  EXPECT_TRUE(Logged("Create Reg Key: Software\\QuenrowE2E\\App "));
  EXPECT_TRUE(
      Logged("Create ShortCut: exe=" + target + "\\marker.exe icon=C:\\windows\\system32\\shell32.dll"));
  EXPECT_TRUE(Logged("RegisterServer: " + target + "\\marker.exe (Quenrow E2E Service)"));
  EXPECT_TRUE(Logged("Dll Register Server: " + target + "\\regtest.dll"));
  EXPECT_TRUE(Logged("RunExeFile: " + target + "\\marker.exe started"));
  EXPECT_TRUE(Logged("User selection: IGNORE"));
  EXPECT_TRUE(Logged("Copy file: Install.exe to " + system + "\\Quenrow.exe"));

  // The uninstaller copy and record.
  EXPECT_TRUE(Exists(system + "\\Quenrow.exe"));
  EXPECT_EQ(ReadFile(system + "\\QuenrowE2E.ini"), script);
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow\\QuenrowE2E",
                                         "InstallationFolder", text));
  EXPECT_EQ(text, target);

  {
    Installer uninstall(system + "\\Quenrow.exe", "/uninstall|" + system + "\\QuenrowE2E.ini", root);
    HWND dialog = uninstall.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1001), "UnInstall");
    for (int id : {1000, 1002, 1005}) EXPECT_FALSE(Visible(dialog, id)) << id;
    EXPECT_EQ(uninstall.Run(), "QuenrowE2E Setup has comlpeted successfuly");
    EXPECT_TRUE(uninstall.prompts.empty()) << uninstall.prompts[0];
    Press(dialog, 1001);
  }
  EXPECT_TRUE(Logged("Start UnInstall"));
  EXPECT_TRUE(WaitFor(markers + "\\unregistered.marker"));
  EXPECT_EQ(ServiceStartType("QuenrowE2ESvc"), 0xFFFFFFFFu);
  EXPECT_FALSE(Exists(desktopLink));
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\QuenrowE2E\\App"));
  EXPECT_FALSE(Exists(target));
  EXPECT_FALSE(Exists(system + "\\QuenrowE2E.ini"));
}

std::string RecordedFolder(const std::string& name) {
  std::string folder = "<none>";
  RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow\\" + name, "InstallationFolder", folder);
  return folder;
}

TEST_F(InstallerProgram, AbortCancelsWithoutUninstallerCopyButWithRecord) {
  const std::string copy = SpecialFolder(CSIDL_SYSTEM) + "\\QuenrowAbort.ini";
  DeleteFileA(copy.c_str());
  WriteScript("[SETTINGS]\nName=QuenrowAbort\nDefaultInstFolder=" + root +
              "\\AbortTarget\n[INSTALL_ORDER]\n1=StartServer,QuenrowNoSuchService\n"
              "2=CreateDirectory,^InstallationFolder^\n");
  Installer install(root + "\\Install.exe", "", root);
  ASSERT_NE(install.Dialog(), nullptr);
  EXPECT_EQ(install.Run({IDABORT}), "Setup has canceled");
  EXPECT_EQ(install.prompts.size(), 1u);
  Press(install.Dialog(), 1001);
  EXPECT_FALSE(Exists(root + "\\AbortTarget"));
  EXPECT_FALSE(Exists(copy));
  EXPECT_EQ(RecordedFolder("QuenrowAbort"), root + "\\AbortTarget");
  EXPECT_TRUE(Logged("User selection: ABORT"));
}

BOOL CALLBACK CountVisible(HWND window, LPARAM count) {
  if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// While the error prompt is open, the dialog behind it is disabled and owns it; whatever reaches the
// dialog meanwhile (a second press posted from outside, Browse, Cancel, Enter, closing the window)
// neither starts another run nor ends the running one.
TEST_F(InstallerProgram, CommandsDuringARunNeitherStartAnotherNorEndIt) {
  WriteScript("[SETTINGS]\nName=QuenrowBusy\nDefaultInstFolder=" + root +
              "\\BusyTarget\n[INSTALL_ORDER]\n1=StartServer,QuenrowNoSuchService\n"
              "2=CreateDirectory,^InstallationFolder^\n");
  Installer install(root + "\\Install.exe", "", root);
  HWND dialog = install.Dialog();
  ASSERT_NE(dialog, nullptr);
  install.whilePromptOpen = [dialog](HWND prompt) {
    EXPECT_EQ(GetWindow(prompt, GW_OWNER), dialog);
    EXPECT_FALSE(IsWindowEnabled(dialog));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (int id : {1001, 1000, IDCANCEL, IDOK}) Press(dialog, id);
    // Posted messages are handled in order: once the folder box has its new limit, the dialog has
    // seen all of the above.
    HWND box = GetDlgItem(dialog, 1002);
    PostMessageA(box, EM_SETLIMITTEXT, 4321, 0);
    DWORD_PTR limit = 0;
    for (int waited = 0; limit != 4321 && waited < 10000; waited += 50) {
      Sleep(50);
      SendMessageTimeoutA(box, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit);
    }
    EXPECT_EQ(limit, 4321u);
    int visible = 0;
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), CountVisible,
                      reinterpret_cast<LPARAM>(&visible));
    EXPECT_EQ(visible, 2);  // the dialog and this prompt: no second prompt, no folder browser
  };
  EXPECT_EQ(install.Run(), "QuenrowBusy Setup has comlpeted successfuly");
  EXPECT_EQ(install.prompts.size(), 1u);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(dialog));
  Press(dialog, 1001);  // Finish
  EXPECT_EQ(install.ExitCode(), 0u);
  EXPECT_TRUE(Exists(root + "\\BusyTarget"));
  const std::vector<std::string> log = LogMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Start Installation"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "User selection: IGNORE"), 1);
}

// Whether the calling thread is in a single-threaded COM apartment: such a thread refuses the
// multi-threaded one.
bool InSingleThreadedApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(result)) CoUninitialize();
  return result == RPC_E_CHANGED_MODE;
}

std::vector<bool>* g_apartments = nullptr;  // what the timer below sees

// The thread's dialog once it is shown.
BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Runs inside the thread's message loops until the dialog is shown (an early tick, before the
// dialog is made or while it initialises, looks again at the next): then notes the apartment and
// closes the dialog.
void CALLBACK NoteApartmentAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  KillTimer(nullptr, timer);
  g_apartments->push_back(InSingleThreadedApartment());
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

DWORD WINAPI DialogThread(void* apartments) {
  g_apartments = static_cast<std::vector<bool>*>(apartments);
  g_apartments->push_back(InSingleThreadedApartment());
  SetTimer(nullptr, 0, 100, NoteApartmentAndClose);
  StartCommand command;
  command.dialogUninstall = true;
  command.dialogScriptPath = "Z:\\no such script.ini";  // nothing to run
  // The dialog's template from the program's resources.
  HMODULE program = LoadLibraryExA(WindowsPath(INSTALL_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  g_apartments->push_back(RunInstallerDialog(program, nullptr, command) == 2);
  FreeLibrary(program);
  g_apartments->push_back(InSingleThreadedApartment());
  return 0;
}

// The folder box's completion (switched on while the dialog initialises) and the folder browser
// need COM on the dialog's thread: the dialog holds it for its thread while it runs. Checked on a
// fresh thread, where no window has set anything up yet.
TEST(InstallerDialogRun, HoldsACOMApartmentForItsThreadWhileItRuns) {
  std::vector<bool> seen;
  HANDLE thread = CreateThread(nullptr, 0, DialogThread, &seen, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(seen, (std::vector<bool>{false, true, true, false}));
}

// The dialog shows a run at the screen's pace rather than at every entry; when the run stops at a
// prompt, and when it ends, the status line and the bar show exactly how far it got.
TEST_F(InstallerProgram, APromptAndTheEndShowTheRunAsFarAsItGot) {
  std::string script =
      "[SETTINGS]\nName=QuenrowPace\nDefaultInstFolder=" + root + "\\PaceTarget\n[INSTALL_ORDER]\n";
  for (int n = 1; n <= 30; ++n)
    script += std::to_string(n) + "=CopyFile,payload.txt,^InstallationFolder^,p" + std::to_string(n) +
              ".txt,TRUE\n";
  script += "31=CopyFile,missing.txt,^InstallationFolder^,missing.txt,TRUE\n";
  WriteScript(script);
  Installer install(root + "\\Install.exe", "", root);
  HWND dialog = install.Dialog();
  ASSERT_NE(dialog, nullptr);
  auto position = [dialog](UINT message) {
    DWORD_PTR value = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, 1007), message, 0, 0, SMTO_ABORTIFHUNG, 5000, &value);
    return value;
  };
  DWORD_PTR expected = 300;  // thirty entries done; then the failed one once more
  install.whilePromptOpen = [&](HWND) {
    EXPECT_EQ(Text(dialog, 1006), "Copy File: missing.txt");
    EXPECT_EQ(position(PBM_GETPOS), expected);
    expected += 10;
  };
  EXPECT_EQ(install.Run({IDRETRY, IDIGNORE}), "QuenrowPace Setup has comlpeted successfuly");
  EXPECT_EQ(install.prompts.size(), 2u);
  // The retried entry stepped the bar once more: 33 steps in a range of 32, so it started over.
  DWORD_PTR high = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, 1007), PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &high);
  EXPECT_EQ(high, 320u);
  EXPECT_LT(position(PBM_GETPOS), 320u);
  Press(dialog, 1001);
  EXPECT_EQ(install.ExitCode(), 0u);
}

TEST_F(InstallerProgram, FixedInstallationFolderOffersNoChoice) {
  WriteScript("[SETTINGS]\nName=QuenrowFixed\nWelcomeText=Fixed\nInstallationFolder=" + root +
              "\\Fixed\nDefaultInstFolder=" + root +
              "\\NotThis\n[INSTALL_ORDER]\n1=CreateDirectory,^InstallationFolder^\n");
  Installer install(root + "\\Install.exe", "", root);
  HWND dialog = install.Dialog();
  ASSERT_NE(dialog, nullptr);
  for (int id : {1000, 1002, 1005}) EXPECT_FALSE(Visible(dialog, id)) << id;
  EXPECT_EQ(install.Run(), "QuenrowFixed Setup has comlpeted successfuly");
  Press(dialog, 1001);
  EXPECT_TRUE(Exists(root + "\\Fixed"));
  EXPECT_FALSE(Exists(root + "\\NotThis"));
  EXPECT_EQ(RecordedFolder("QuenrowFixed"), root + "\\Fixed");
}

// Without an uninstall record the uninstall does not know where the install went: the folder only
// offered to the user is left alone, and so is whatever a reference to the folder would name.
TEST_F(InstallerProgram, UninstallWithoutRecordLeavesTheOfferedFolderAlone) {
  RegistryAccess::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenrow", "QuenrowNoRecord");
  WriteScript("[SETTINGS]\nName=QuenrowNoRecord\nDefaultInstFolder=" + root +
              "\\Offered\n[UN_INSTALL_ORDER]\n1=DeleteFile,^InstallationFolder^\\mine.txt\n"
              "2=DeleteDirectory,^InstallationFolder^\n3=DeleteFile," +
              root + "\\payload.txt\n");
  ASSERT_TRUE(CreateDirectoryA((root + "\\Offered").c_str(), nullptr));
  std::ofstream(root + "\\Offered\\mine.txt") << "mine";
  {
    Installer uninstall(root + "\\Install.exe", "/uninstall|" + root + "\\Install.ini", root);
    ASSERT_NE(uninstall.Dialog(), nullptr);
    EXPECT_EQ(uninstall.Run(), "QuenrowNoRecord Setup has comlpeted successfuly");
    EXPECT_TRUE(uninstall.prompts.empty()) << uninstall.prompts[0];
    Press(uninstall.Dialog(), 1001);
  }
  EXPECT_EQ(ReadFile(root + "\\Offered\\mine.txt"), "mine");
  EXPECT_FALSE(Exists(root + "\\payload.txt"));  // entries without the folder still run
  EXPECT_TRUE(Logged("Skipped without installation folder: DeleteFile,^InstallationFolder^\\mine.txt"));
  EXPECT_TRUE(Logged("Skipped without installation folder: DeleteDirectory,^InstallationFolder^"));
}

TEST_F(InstallerProgram, CommandLineChoosesTheMode) {
  WriteScript("[SETTINGS]\nName=QuenrowModes\nWelcomeText=Modes\n[INSTALL_ORDER]\n1=CreateDirectory,made\n");
  {
    Installer exact(root + "\\Install.exe", "/UNINSTALL|x.ini", root);  // not the switch: install mode
    ASSERT_NE(exact.Dialog(), nullptr);
    EXPECT_EQ(Text(exact.Dialog(), 1001), "Install");
    EXPECT_EQ(Text(exact.Dialog(), 1004), "Modes");
    Press(exact.Dialog(), 2);  // Cancel before installing
    EXPECT_EQ(exact.ExitCode(), 0u);
  }
  EXPECT_FALSE(Exists(root + "\\Install.log"));
  EXPECT_FALSE(Exists(root + "\\made"));
  {
    Installer bare(root + "\\Install.exe", "/Uninstall", root);  // uninstall with the script "/Uninstall"
    HWND dialog = bare.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, 1004), "Static");
    EXPECT_EQ(Text(dialog, 1005),
              "To Install in this folder click \"Next\",  To install to a diffrent folder, enter it below or "
              "click \"Browse\".");
    EXPECT_EQ(Text(dialog, 1001), "Install");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1001)));  // nothing to run
    for (int id : {1000, 1002, 1005}) EXPECT_TRUE(Visible(dialog, id)) << id;
    Press(dialog, 2);
  }
  {
    Installer uninstall(root + "\\Install.exe", "/uninstall|" + root + "\\Install.ini", root);
    ASSERT_NE(uninstall.Dialog(), nullptr);
    EXPECT_EQ(Text(uninstall.Dialog(), 1001), "UnInstall");
    EXPECT_EQ(Text(uninstall.Dialog(), 1004), "Modes");
    Press(uninstall.Dialog(), 2);
  }
  EXPECT_FALSE(Exists(root + "\\Install.log"));
}

// The folder browser: a visible dialog of the installer's thread other than the installer's own.
// A named callback: a lambda does not convert to the 32-bit build's stdcall callback type.
BOOL CALLBACK FindBrowser(HWND window, LPARAM found) {
  char kind[64] = "";
  GetClassNameA(window, kind, sizeof kind);
  if (std::string(kind) != "#32770" || !IsWindowVisible(window) || GetDlgItem(window, 1001)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

TEST_F(InstallerProgram, BrowsedFolderIsUsedAndBecomesTheCurrentDirectory) {
  WriteScript("[SETTINGS]\nName=QuenrowBrowse\nDefaultInstFolder=" + root +
              "\\Default\n[INSTALL_ORDER]\n1=CreateDirectory,browse_made\n2=CreateDirectory,^"
              "InstallationFolder^\\sub\n");
  Installer install(root + "\\Install.exe", "", root);
  HWND dialog = install.Dialog();
  ASSERT_NE(dialog, nullptr);
  Press(dialog, 1000);
  HWND browser = nullptr;
  for (int waited = 0; !browser && waited < 10000; waited += 100) {
    Sleep(100);
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), FindBrowser,
                      reinterpret_cast<LPARAM>(&browser));
  }
  ASSERT_NE(browser, nullptr);
  Press(browser, IDOK);  // takes the folder the browser starts on
  std::string chosen;
  for (int waited = 0; waited < 10000 && (chosen.empty() || chosen == root + "\\Default"); waited += 100) {
    Sleep(100);
    chosen = AskText(dialog, 1002);
  }
  ASSERT_FALSE(chosen.empty());
  ASSERT_NE(chosen, root + "\\Default");
  EXPECT_EQ(install.Run(), "QuenrowBrowse Setup has comlpeted successfuly");
  Press(dialog, 1001);
  // The relative folder went to the browsed folder, which was the current directory.
  EXPECT_TRUE(Exists(chosen + "\\browse_made"));
  EXPECT_TRUE(Exists(chosen + "\\sub"));
  EXPECT_FALSE(Exists(root + "\\browse_made"));
  RemoveDirectoryA((chosen + "\\browse_made").c_str());
  RemoveDirectoryA((chosen + "\\sub").c_str());
}

}  // namespace

namespace {

const char kUnattendedScript[] =
    "[SETTINGS]\n"
    "Name=QuenrowSilent\n"
    "DefaultInstFolder=^Root^\\NotThis\n"
    "[INSTALL_ORDER]\n"
    "1=CopyFile,payload.txt,^InstallationFolder^\\data,payload.txt,TRUE\n"
    "2=CreateRegistry,[SilentKeys]\n"
    "3=CreateShortCut,^InstallationFolder^\\data\\payload.txt,/x,Silent Link,Desktop,x,Silent,x,0\n"
    "[UN_INSTALL_ORDER]\n"
    "1=DeleteShortCut,x,Silent Link,Desktop,x\n"
    "2=DeleteRegistry,x,[SilentKeys]\n"
    "3=DeleteDirectory,^InstallationFolder^\n"
    "4=DeleteFile,^SystemFolder^\\QuenrowSilent.ini\n"
    "[SilentKeys]\n"
    "[HKEY_CURRENT_USER\\Software\\QuenrowSilent]\n"
    "\"Path\"=\"^InstallationFolder^\"\n";

// "/S" runs the list without any window; "/D=" takes the rest of the line as the folder, blanks
// included; the uninstaller copy runs the uninstall list the same way.
TEST_F(InstallerProgram, UnattendedInstallAndUninstall) {
  std::string script = kUnattendedScript;
  script.insert(script.find("Name="), "Root=" + root + "\n");
  WriteScript(script);
  const std::string target = root + "\\Silent  Target";
  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  const std::string link = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Silent Link.lnk";

  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S /D=" + target, root), 0u);
  EXPECT_EQ(ReadFile(target + "\\data\\payload.txt"), "payload");
  EXPECT_FALSE(Exists(root + "\\NotThis"));
  std::string text;
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_CURRENT_USER, "Software\\QuenrowSilent", "Path", text));
  EXPECT_EQ(text, target);
  Link shortcut;
  ASSERT_TRUE(ReadLink(link, shortcut));
  EXPECT_EQ(shortcut.target, target + "\\data\\payload.txt");
  EXPECT_EQ(RecordedFolder("QuenrowSilent"), target);
  EXPECT_EQ(ReadFile(system + "\\QuenrowSilent.ini"), script);
  EXPECT_TRUE(Logged("Start Installation"));
  EXPECT_TRUE(Logged("Copy file: Install.exe to " + system + "\\Quenrow.exe"));

  EXPECT_EQ(RunToEnd(system + "\\Quenrow.exe", "/S /uninstall|" + system + "\\QuenrowSilent.ini", root), 0u);
  EXPECT_TRUE(Logged("Start UnInstall"));
  EXPECT_FALSE(Exists(target));
  EXPECT_FALSE(Exists(link));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\QuenrowSilent"));
  EXPECT_FALSE(Exists(system + "\\QuenrowSilent.ini"));
}

// A chosen folder is taken whole: a "," does not split the script's fields, a "^" starts no
// reference, and in the 64-bit builds a name outside the ANSI code page reaches the system intact.
TEST_F(InstallerProgram, ChosenFolderIsTakenWhole) {
  std::string script = kUnattendedScript;
  script.insert(script.find("Name="), "Root=" + root + "\n");
  WriteScript(script);
  const std::wstring target =
      WideText(root) + (kUtf8Text ? L"\\\x141ukasz, Tom^Root^" : L"\\Lukasz, Tom^Root^");
  std::wstring command = L"\"" + WideText(root) + L"\\Install.exe\" /S /D=" + target;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             WideText(root).c_str(), &startup, &process));
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u);
  EXPECT_NE(GetFileAttributesW((target + L"\\data\\payload.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RecordedFolder("QuenrowSilent"), NarrowText(target));
  std::string text;
  EXPECT_TRUE(RegistryAccess::ReadString(HKEY_CURRENT_USER, "Software\\QuenrowSilent", "Path", text));
  EXPECT_EQ(text, NarrowText(target));

  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  EXPECT_EQ(RunToEnd(system + "\\Quenrow.exe", "/S /uninstall|" + system + "\\QuenrowSilent.ini", root), 0u);
  EXPECT_EQ(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The Start menu of a profile named outside the ANSI code page (the 64-bit builds; the 32-bit one
// keeps the code page): its program group and shortcut are made there and removed again.
TEST_F(InstallerProgram, StartMenuOfAProfileOutsideTheCodePage) {
  const std::wstring menu = WideText(root) + (kUtf8Text ? L"\\\x141ukasz\\Programs" : L"\\Lukasz\\Programs");
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, menu.c_str(), nullptr), ERROR_SUCCESS);
  // The profile's folders as the shell looks them up; the earlier value comes back afterwards.
  HKEY folders = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                          KEY_READ | KEY_WRITE, &folders),
            ERROR_SUCCESS);
  wchar_t earlier[1024] = L"";
  DWORD type = 0, size = sizeof earlier - sizeof(wchar_t);
  const bool had = RegQueryValueExW(folders, L"Programs", nullptr, &type, reinterpret_cast<BYTE*>(earlier),
                                    &size) == ERROR_SUCCESS;
  RegSetValueExW(folders, L"Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(menu.c_str()),
                 static_cast<DWORD>((menu.size() + 1) * sizeof(wchar_t)));

  WriteScript(
      "[SETTINGS]\nName=QuenrowMenu\n[INSTALL_ORDER]\n"
      "1=CopyFile,payload.txt,^InstallationFolder^,payload.txt,TRUE\n"
      "2=CreateShortCut,^InstallationFolder^\\payload.txt,/x,Menu Link,Menu,Menu Group,In the menu,x,0\n"
      "[UN_INSTALL_ORDER]\n1=DeleteMenuGroup,Menu Group\n2=DeleteDirectory,^InstallationFolder^\n"
      "3=DeleteFile,^SystemFolder^\\QuenrowMenu.ini\n");
  const std::string system = SpecialFolder(CSIDL_SYSTEM);
  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S /D=" + root + "\\Menu", root), 0u);
  const std::wstring link = menu + L"\\Menu Group\\Menu Link.lnk";
  EXPECT_NE(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RunToEnd(system + "\\Quenrow.exe", "/S /uninstall|" + system + "\\QuenrowMenu.ini", root), 0u);
  EXPECT_EQ(GetFileAttributesW((menu + L"\\Menu Group").c_str()), INVALID_FILE_ATTRIBUTES);

  if (had)
    RegSetValueExW(folders, L"Programs", 0, type, reinterpret_cast<const BYTE*>(earlier), size);
  else
    RegDeleteValueW(folders, L"Programs");
  RegCloseKey(folders);
}

// Nothing is asked: a failure ends the run as Abort would, with the same log lines as in the
// dialog. A script's own folder wins over "/D=".
TEST_F(InstallerProgram, UnattendedRunEndsAtTheFirstFailedStep) {
  const std::string copy = SpecialFolder(CSIDL_SYSTEM) + "\\QuenrowSilentFail.ini";
  DeleteFileA(copy.c_str());
  WriteScript("[SETTINGS]\nName=QuenrowSilentFail\nInstallationFolder=" + root +
              "\\Fixed\n[INSTALL_ORDER]\n1=CreateDirectory,^InstallationFolder^\\first\n"
              "2=StartServer,QuenrowNoSuchService\n3=CreateDirectory,^InstallationFolder^\\third\n");
  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S /D=" + root + "\\Other", root), 1u);
  EXPECT_TRUE(Exists(root + "\\Fixed\\first"));
  EXPECT_FALSE(Exists(root + "\\Fixed\\third"));
  EXPECT_FALSE(Exists(root + "\\Other"));
  EXPECT_FALSE(Exists(copy));
  EXPECT_EQ(RecordedFolder("QuenrowSilentFail"), root + "\\Fixed");
  const std::vector<std::string> log = LogMessages();
  const auto abort = std::find(log.begin(), log.end(), "User selection: ABORT");
  ASSERT_NE(abort, log.end());
  ASSERT_NE(abort, log.begin());
  EXPECT_EQ(abort[-1].rfind("Error: ", 0), 0u) << abort[-1];
  EXPECT_EQ(std::find(log.begin(), log.end(), "CreateDirectory: " + root + "\\Fixed\\third"), log.end());
}

// Exit code 2 when nothing could run: no script, or a switch after "/S" that is not known; "/?"
// answers with the command-line forms.
TEST_F(InstallerProgram, UnattendedWithoutScriptOrWithUnknownSwitchRunsNothing) {
  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S", root), 2u);
  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S /uninstall|" + root + "\\missing.ini", root), 2u);
  WriteScript("[SETTINGS]\nName=QuenrowUnknown\n[INSTALL_ORDER]\n1=CreateDirectory,made\n");
  EXPECT_EQ(RunToEnd(root + "\\Install.exe", "/S /d=" + root + "\\x", root), 2u);
  EXPECT_FALSE(Exists(root + "\\made"));
  EXPECT_FALSE(Exists(root + "\\Install.log"));

  Installer help(root + "\\Install.exe", "/?", root);
  ASSERT_NE(help.Dialog(), nullptr);
  EXPECT_NE(Text(help.Dialog(), 0xFFFF).find("Install.exe /S /D=folder"), std::string::npos);
  Press(help.Dialog(), IDOK);
  EXPECT_EQ(help.ExitCode(), 0u);
  EXPECT_FALSE(Exists(root + "\\made"));
}

// Every line is on disk as soon as it is logged: a run that dies keeps what it wrote before.
TEST_F(InstallerProgram, LogLinesSurviveARunThatDies) {
  WriteScript("[SETTINGS]\nName=QuenrowDies\nDefaultInstFolder=" + root +
              "\\Dies\n[INSTALL_ORDER]\n1=CreateDirectory,^InstallationFolder^\n2=StartServer,"
              "QuenrowNoSuchService\n");
  Installer install(root + "\\Install.exe", "", root);
  ASSERT_NE(install.Dialog(), nullptr);
  install.whilePromptOpen = [](HWND prompt) {
    DWORD process = 0;
    GetWindowThreadProcessId(prompt, &process);
    HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
    ASSERT_NE(handle, nullptr);
    TerminateProcess(handle, 3);
    WaitForSingleObject(handle, 10000);
    CloseHandle(handle);
  };
  EXPECT_EQ(install.Run(), "");
  const std::vector<std::string> log = LogMessages();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "Start Installation");
  EXPECT_EQ(log[1], "CreateDirectory: " + root + "\\Dies");
  EXPECT_EQ(log[2].rfind("Error: ", 0), 0u) << log[2];
}

}  // namespace
