#include <cstdio>
#include <string>

#include "demo.h"

#define INSTALLER_DRIVER_FAIL(text) Fail(text)
#include "installer_driver.h"
#include "registry_access.h"

using namespace installer_driver;

namespace {

constexpr int kBrowse = 1000, kMainButton = 1001, kFolder = 1002, kHeading = 1004;

// The product name of the bundle's script: the uninstall record, the Start-menu group and the
// heading an install ends with are named after it.
std::string g_product = "Tavimor";

std::string RecordKey() {
  return "SOFTWARE\\Quenrow\\" + g_product;
}

std::string ShortcutPath() {
  return SpecialFolder(CSIDL_PROGRAMS) + "\\" + g_product + "\\Uninstall " + g_product + ".lnk";
}

// Where the install puts the dictionaries.
std::string DictionaryFolder() {
  return SpecialFolder(CSIDL_SYSTEM) + "\\kwTemplates";
}

// The library root of the plug-in built beside this program: the 64-bit one keeps it per user.
std::string LibraryRoot() {
  return sizeof(void*) == 8 ? SpecialFolder(CSIDL_APPDATA) + "\\Tavimor\\kwTemplates" : DictionaryFolder();
}

// Where the install put the plug-in, as its uninstall record says; empty without the record.
std::string PluginFolder() {
  std::string folder;
  RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, RecordKey(), "InstallationFolder", folder);
  return folder;
}

void ListFolder(const std::string& folder, const std::string& indent) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      std::printf("%s%s\\\n", indent.c_str(), name.c_str());
      ListFolder(folder + "\\" + name, indent + "  ");
    } else {
      std::printf("%s%-24s %10lu bytes\n", indent.c_str(), name.c_str(), found.nFileSizeLow);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void ListTree(const std::string& title, const std::string& folder) {
  std::printf("  %s: %s\n", title.c_str(), folder.c_str());
  if (!Exists(folder)) {
    std::printf("    (no such folder)\n");
    return;
  }
  ListFolder(folder, "    ");
}

// Presses the main button through to Finish; any error prompt is a failure.
void RunToFinish(Installer& installer, const char* what) {
  const std::string heading = installer.Run({IDABORT});
  for (const std::string& prompt : installer.prompts) Fail(std::string(what) + " asked: " + prompt);
  std::printf("  %s: \"%s\"\n", what, heading.c_str());
  if (heading != g_product + " Setup has comlpeted successfuly")
    Fail(std::string(what) + " did not complete: \"" + heading + "\"");
  Press(installer.Dialog(), kMainButton);  // Finish
}

}  // namespace

void InstallBundle(const std::string& bundle, const std::string& pictures) {
  const std::string program = bundle + "\\Install.exe";
  char name[256];
  GetPrivateProfileStringA("SETTINGS", "Name", "Tavimor", name, sizeof name,
                           (bundle + "\\Install.ini").c_str());
  g_product = name;
  std::printf("  running %s (from %s)\n", program.c_str(), bundle.c_str());
  Installer install(program, "", bundle);
  HWND dialog = install.Dialog();
  if (!dialog) return;
  std::printf("  dialog: \"%s\", folder \"%s\"%s\n", Text(dialog, kHeading).c_str(),
              AskText(dialog, kFolder).c_str(), Visible(dialog, kBrowse) ? ", with Browse" : "");
  // The picture asks the dialog to paint first and waits for it.
  if (!pictures.empty() && !SaveWindowPicture(dialog, pictures + "\\installer.bmp"))
    Fail("no picture of the installer dialog");
  // The default folder stays: the plug-in goes where the script's DefaultInstFolder says.
  RunToFinish(install, "install");
  if (install.ExitCode() != 0) Fail("Install.exe ended with status " + std::to_string(install.ExitCode()));

  const std::string folder = PluginFolder();
  if (folder.empty()) {
    Fail("no installation folder in the uninstall record");
    return;
  }
  if (!Exists(folder + "\\Tavimor.8li")) Fail("the plug-in is not in " + folder);
  for (const char* name : {"en_US.aff", "en_US.dic", "en_US.idx", "en_US.dat"})
    if (!Exists(DictionaryFolder() + "\\" + name)) Fail(DictionaryFolder() + " has no " + name);
  Link link;
  if (ReadLink(ShortcutPath(), link))
    std::printf("  Start menu: %s\\Uninstall %s -> %s %s\n", g_product.c_str(), g_product.c_str(),
                link.target.c_str(), link.arguments.c_str());
  else
    Fail("no uninstall shortcut in the Start menu");
  ListInstalledFiles(folder);
}

void UninstallThroughShortcut(const std::string& product) {
  g_product = product;
  Link link;
  if (!ReadLink(ShortcutPath(), link)) {
    Fail("no uninstall shortcut in the Start menu");
    return;
  }
  // Unattended, as a deployment tool would run it: no dialog, the outcome in the exit code.
  const std::string arguments = "/S " + link.arguments;
  std::printf("  running %s %s\n", link.target.c_str(), arguments.c_str());
  const std::string folder = PluginFolder();
  const DWORD code = RunToEnd(link.target, arguments, SpecialFolder(CSIDL_SYSTEM));
  std::printf("  uninstall: exit code %lu\n", code);
  if (code != 0) Fail("the unattended uninstall ended with status " + std::to_string(code));
  if (Exists(folder + "\\Tavimor.8li")) Fail("the plug-in is still installed");
  // The user's own library files stay: here what the confirmed run saved.
  for (const char* mine : {"\\Templates\\Last.tmp", "\\Recent.dat"})
    if (!Exists(LibraryRoot() + mine)) Fail(std::string("the uninstall removed the user's ") + (mine + 1));
  ListInstalledFiles(folder);
}

void ListInstalledFiles(const std::string& pluginFolder) {
  ListTree("plug-ins folder", pluginFolder);
  if (LibraryRoot() == DictionaryFolder()) {
    ListTree("library root", LibraryRoot());
  } else {
    ListTree("dictionaries", DictionaryFolder());
    ListTree("library root (per user)", LibraryRoot());
  }
  std::string folder;
  const bool recorded =
      RegistryAccess::ReadString(HKEY_LOCAL_MACHINE, RecordKey(), "InstallationFolder", folder);
  std::printf("  uninstall record HKLM\\%s: %s\n", RecordKey().c_str(), recorded ? "present" : "gone");
  std::printf("  Start-menu group %s: %s\n", g_product.c_str(),
              Exists(SpecialFolder(CSIDL_PROGRAMS) + "\\" + g_product) ? "present" : "gone");
}
