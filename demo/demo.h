// The demo's steps, one per command of the demo program, and what they share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reports a failed step on stderr; the program then ends with status 1.
void Fail(const std::string& text);
bool Failed();

// A path given on the command line: Unix paths (from the build) become Wine's Z: paths.
std::string WindowsPathOf(const std::string& path);

// Installer steps: the bundle's Install.exe with its own script, pressed through to Finish; the
// Start-menu shortcut's uninstaller of the product (the script's Name), unattended ("/S"). Each ends
// by listing what is installed. Pictures go into the folder pictures (none when it is empty).
void InstallBundle(const std::string& bundle, const std::string& pictures);
void UninstallThroughShortcut(const std::string& product);
// Lists the plug-ins folder and the library root with the files in them, and whether the
// uninstall record and the Start-menu group are there.
void ListInstalledFiles(const std::string& pluginFolder);

// The installed plug-in in the stand-in host on a document file, which is saved afterwards.
void ReplayRecordedStep(const std::string& plugin, const std::string& document);
void EditWithDialog(const std::string& plugin, const std::string& document, const std::string& pictures);

// Saves what the screen shows in area as a BMP file, with the windows own (of this process)
// drawn over it as they have painted themselves.
bool SaveScreenPicture(const RECT& area, const std::string& path, const std::vector<HWND>& own = {});
// Repaints a window of this process, then saves its area.
bool SaveWindowPicture(HWND window, const std::string& path);
// The popup menus open on the desktop.
std::vector<HWND> VisibleMenus();
// Every open popup menu of the desktop (a menu with its open submenu) in one picture.
bool SaveMenuPicture(const std::string& path);
