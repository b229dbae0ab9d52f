#include "list_menu_win32.h"

#include "system_text.h"

namespace {

bool AppendRows(HMENU menu, const MenuRows& rows) {
  for (const MenuRow& row : rows) {
    BOOL appended = FALSE;
    if (row.kind == MenuRow::kSeparator) {
      appended = AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (row.kind == MenuRow::kSubmenu) {
      HMENU submenu = CreateMenuFromRows(row.submenu);
      if (!submenu) return false;
      appended = AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                             SystemText(row.text).c_str());
      if (!appended) DestroyMenu(submenu);
    } else {
      appended = AppendMenuW(menu, MF_STRING | MF_ENABLED | (row.checked ? MF_CHECKED : MF_UNCHECKED),
                             static_cast<UINT_PTR>(row.id), SystemText(row.text).c_str());
    }
    if (!appended) return false;
  }
  return true;
}

}  // namespace

HMENU CreateMenuFromRows(const MenuRows& rows) {
  HMENU menu = CreatePopupMenu();
  if (menu && !AppendRows(menu, rows)) {
    DestroyMenu(menu);  // takes the submenus appended so far with it
    menu = nullptr;
  }
  return menu;
}

void ShowListMenu(int kind, TextList& list, HWND owner, int x, int y, const char* header) {
  ShowMenuRows(LayoutListMenu(kind, list, header ? header : ""), owner, x, y);
}

void ShowMenuRows(const MenuRows& rows, HWND owner, int x, int y) {
  if (rows.empty()) return;
  HMENU menu = CreateMenuFromRows(rows);
  if (!menu) return;
  TrackPopupMenu(menu, 0, x, y, 0, owner, nullptr);
  DestroyMenu(menu);
}

void ShowMenuAtControl(int kind, TextList& list, HWND dialog, int controlId, const char* header) {
  ShowRowsAtControl(LayoutListMenu(kind, list, header ? header : ""), dialog, controlId);
}

void ShowRowsAtControl(const MenuRows& rows, HWND dialog, int controlId) {
  RECT bounds;
  if (!GetWindowRect(GetDlgItem(dialog, controlId), &bounds)) return;
  ShowMenuRows(rows, dialog, bounds.left, bounds.bottom);
}
