// Dialog-script steps on the plug-in's editor window, for the tests and the demo, whether the
// editor runs in this process or in the loaded module.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "editor_dialog_res.h"

// The visible editor window; nullptr while none is open.
HWND EditorWindow();
// The editor's keyword box; nullptr while no editor is open.
HWND KeywordBox();

// A step that waits for the editor, then runs action on it.
DialogStep OnEditor(std::function<void(HWND)> action);
// Clicks the editor's button id.
DialogStep Click(int id);
// Puts text into the editor's control id.
DialogStep SetText(int id, std::string text);
// Sends the editor the command id, as a menu item would, and returns once it has been handled.
DialogStep Command(int id);

// Chooses an item of the open popup menu, which sends its command to the editor: the item reached
// through path (submenu texts, then the item's text), or the first item named text wherever it
// stands. missing is called when the menu has no such item.
DialogStep Choose(std::vector<std::string> path, std::function<void()> missing);
DialogStep ChooseAnywhere(std::string text, std::function<void()> missing);
