// Drives modal dialogs and popup menus from inside their own message loops: a thread timer runs
// a script of steps in order while the code under test sits in DialogBoxParam or TrackPopupMenu.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct DialogStep {
  // Returns false to be tried again at the next tick (a window it needs is not open yet).
  std::function<bool()> run;
  // A step that enters a modal loop itself (opens a menu or a dialog): it runs once, at its turn,
  // and later steps run inside its loop.
  bool blocks = false;
};
using DialogScript = std::vector<DialogStep>;

// Runs open(), which enters a modal loop, while script runs; returns open()'s result. When one
// step has waited timeoutMs without coming to its end, every dialog and menu of the thread is
// closed and *finished (if given) is false.
INT_PTR RunScripted(const std::function<INT_PTR()>& open, DialogScript script, bool* finished = nullptr,
                    int timeoutMs = 15000);

// A step that runs action once and is done.
DialogStep Do(std::function<void()> action);
// A step that waits until a visible top-level window with this caption exists, then runs action.
DialogStep OnWindow(const char* caption, std::function<void(HWND)> action);
// A step that waits until no window with this caption exists.
DialogStep WhenClosed(const char* caption);
// A step that clicks button id of the visible window with this caption (BM_CLICK, posted).
DialogStep ClickButton(const char* caption, int id);

// Window class of the system's popup menus.
constexpr const char kMenuClass[] = "#32768";
// The menu of the open popup menu window; nullptr while none is open.
HMENU OpenPopupMenu();
// The command id of the item reached through path (submenu texts, then the item's text); -1
// when the menu has no such item.
int MenuItemId(HMENU menu, const std::vector<std::string>& path);
// The command id of the first item named text, at the top level or in any submenu; -1 when none.
int AnyMenuItemId(HMENU menu, const std::string& text);
// Chooses, in the open popup menu, the item find gives as a click would: the menu closes first,
// then the item's command is posted to owner() (looked up when it is sent). When find gives no
// item, missing is called and no command is sent.
DialogStep ChooseMenuItem(std::function<int(HMENU)> find, std::function<HWND()> owner,
                          std::function<void()> missing);

// The first visible top-level window with this class and caption (null: any) for which match, if
// given, holds. Hidden windows and windows sharing the caption (a dialog and its message box) are
// passed over, whatever their order.
HWND FindVisibleWindow(const char* className, const char* caption,
                       const std::function<bool(HWND)>& match = nullptr);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
// One control of a dialog template: its id, text and place in dialog units, and its window class
// (checked when given).
struct ControlLayout {
  int id;
  const char* text;
  int x, y, width, height;
  const char* className = nullptr;
};
// What differs between the dialog's controls, in creation (tab) order, and layout: one line per
// difference, "" when they match. The sizes are compared too unless placesOnly.
std::string LayoutDifferences(HWND dialog, const std::vector<ControlLayout>& layout, bool placesOnly = false);

// Reads a menu into "text=id" rows, separators as "-", submenus as "[text: ...]".
std::string DescribeMenu(HMENU menu);
// Types text into window as keyboard characters (WM_CHAR), as a user would.
void TypeText(HWND window, const char* text);
// Presses a key at the window that has the focus, through the modal loop's dialog handling.
void PostKey(UINT virtualKey);
// A right click by the mouse at a screen point, as a step's body: returns false (try again at the
// next tick) until the system reports the pointer at the point, then sends the button events,
// each carrying the point itself, so the click never lands where the pointer was before.
bool RightClickAt(POINT point);
