// The popup list menus of the editor dialog: rows laid out by list_menu.h, shown with
// TrackPopupMenu. A chosen item arrives later as a WM_COMMAND to the owner window.
#pragma once

#include <windows.h>

#include "list_menu.h"

// A popup menu holding rows; the caller destroys it. nullptr when the menu cannot be created.
HMENU CreateMenuFromRows(const MenuRows& rows);

// Shows the list menu of the given kind at (x, y) in screen coordinates, owned by owner.
// Nothing is shown for a menu without rows.
void ShowListMenu(int kind, TextList& list, HWND owner, int x, int y, const char* header);

// Shows the list menu at the lower-left corner of the dialog's control controlId.
void ShowMenuAtControl(int kind, TextList& list, HWND dialog, int controlId, const char* header);

// The same for rows already laid out.
void ShowMenuRows(const MenuRows& rows, HWND owner, int x, int y);
void ShowRowsAtControl(const MenuRows& rows, HWND dialog, int controlId);
