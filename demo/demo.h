// The demo's steps, one per command of the demo program, and what they share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"

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

// The x64 and ARM64 products (Unicode, several languages, keyword lists); the 32-bit one is the
// classic US English product.
constexpr bool kUnicodeProduct = sizeof(void*) == 8;

// A keyword list brought into the library through the tools menu, a group of it added to the
// keyword box, and the library taken out again as a list, compared with what came in.
void KeywordListInAndOut(const std::string& plugin, const std::string& document, const std::string& list,
                         const std::string& exported, const std::string& pictures);

// Menus and boxes by their Unicode texts (menu_steps.cpp), and a key pressed as the keyboard does.
void PressKey(WORD key);
std::wstring WideOf(const std::string& utf8);
std::string ItemTextUtf8(HWND dialog, int id);
// The id of the item at path, each item found by the beginning of its text; -1 for none.
int MenuPathId(HMENU menu, const std::vector<std::string>& path);
// The menu's items, "[x] " before a checked one and " >" after a submenu.
std::string MenuItemsUtf8(HMENU menu);
// Opens the submenus along path in the open popup menu with the keyboard, as a user would, and
// hands the last one to shown.
DialogStep OpenSubmenus(std::vector<std::string> path, std::function<void(HMENU)> shown = nullptr);
// Types path into the standard file dialog captioned caption and presses its OK button.
DialogStep EnterPathInFileDialog(std::string caption, std::string path);
