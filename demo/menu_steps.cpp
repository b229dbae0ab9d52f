// Menus and boxes as a user meets them in the Unicode products: items found by their own text,
// submenus opened with the keyboard, texts read as UTF-8.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "demo.h"
#include "dialog_driver.h"

namespace {

std::string Utf8Of(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr,
                      nullptr);
  return out;
}

std::string ItemUtf8(HMENU menu, int position) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return Utf8Of(text);
}

bool Separator(HMENU menu, int position) {
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_SEPARATOR);
}

// The position of the item whose text begins with text; -1 for none.
int ItemPosition(HMENU menu, const std::string& text) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (ItemUtf8(menu, i).compare(0, text.size(), text) == 0) return i;
  }
  return -1;
}

}  // namespace

void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

std::wstring WideOf(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), &out[0], size);
  return out;
}

std::string ItemTextUtf8(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(item ? GetWindowTextLengthW(item) : 0) + 1, L'\0');
  if (item)
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
  else
    text.clear();
  return Utf8Of(text);
}

int MenuPathId(HMENU menu, const std::vector<std::string>& path) {
  for (std::size_t depth = 0; menu && depth < path.size(); ++depth) {
    const int position = ItemPosition(menu, path[depth]);
    if (position < 0) return -1;
    if (depth + 1 == path.size())
      return GetSubMenu(menu, position) ? -1 : static_cast<int>(GetMenuItemID(menu, position));
    menu = GetSubMenu(menu, position);
  }
  return -1;
}

std::string MenuItemsUtf8(HMENU menu) {
  std::string items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (Separator(menu, i)) continue;
    const bool checked = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
    items += (items.empty() ? "" : " | ") + std::string(checked ? "[x] " : "") + ItemUtf8(menu, i) +
             (GetSubMenu(menu, i) ? " >" : "");
  }
  return items;
}

// Each level: down to the item (the keyboard passes over separators; an opened submenu has its
// first item selected, the popup none), right to open it, then waits until it shows.
DialogStep OpenSubmenus(std::vector<std::string> path, std::function<void(HMENU)> shown) {
  struct Walk {
    HMENU menu = nullptr;
    std::size_t level = 0;
    bool pressed = false;
    DWORD start = 0;
  };
  auto walk = std::make_shared<Walk>();
  return {[path, shown, walk] {
    if (!walk->menu) {
      walk->menu = OpenPopupMenu();
      if (!walk->menu) return false;
      walk->start = GetTickCount();
    }
    if (walk->level == path.size()) {
      if (shown) shown(walk->menu);
      return true;
    }
    const int position = ItemPosition(walk->menu, path[walk->level]);
    HMENU submenu = position < 0 ? nullptr : GetSubMenu(walk->menu, position);
    if (!submenu) {
      Fail("the menu has no submenu \"" + path[walk->level] + "\"");
      return true;
    }
    if (!walk->pressed) {
      int downs = walk->level == 0 ? 1 : 0;
      for (int i = 0; i < position; ++i) downs += Separator(walk->menu, i) ? 0 : 1;
      for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
      PressKey(VK_RIGHT);
      walk->pressed = true;
      return false;
    }
    if (VisibleMenus().size() < walk->level + 2) {
      if (GetTickCount() - walk->start > 10000) {
        Fail("the submenu \"" + path[walk->level] + "\" did not open");
        return true;
      }
      return false;
    }
    walk->menu = submenu;
    walk->pressed = false;
    ++walk->level;
    return false;
  }};
}

DialogStep EnterPathInFileDialog(std::string caption, std::string path) {
  return {[caption, path] {
    HWND dialog = FindVisibleWindow("#32770", caption.c_str());
    if (!dialog) return false;
    // The file name box: a combo box in the Explorer-style dialog, an edit box in older ones.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name) name = GetDlgItem(dialog, 0x480);
    if (!name) {
      Fail("the \"" + caption + "\" dialog has no file name box");
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return true;
    }
    std::printf("  \"%s\": %s\n", caption.c_str(), path.c_str());
    SetWindowTextW(name, WideOf(path).c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
  }};
}
