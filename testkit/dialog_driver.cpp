#include "dialog_driver.h"

#include <memory>

namespace {

struct Driver {
  DialogScript script;
  std::size_t next = 0;
  bool busy = false;
  DWORD timeout = 0;
  DWORD lastStep = 0;  // when the last step ran to its end (or the script began)
  bool timedOut = false;
};
Driver* g_driver = nullptr;

BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770") EndDialog(window, -2);
  return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Driver* d = g_driver;
  if (!d || d->busy) return;
  if (d->next >= d->script.size()) return;
  // Only a step that waits too long ends the script: a slow machine stretches the whole script,
  // not any one wait.
  if (GetTickCount() - d->lastStep > d->timeout) {
    // Leave every modal loop so the test can report instead of hanging.
    d->timedOut = true;
    d->next = d->script.size();
    EndMenu();
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
    return;
  }
  DialogStep& step = d->script[d->next];
  if (step.blocks) {
    ++d->next;
    d->lastStep = GetTickCount();
    step.run();
    d->lastStep = GetTickCount();
    return;
  }
  d->busy = true;
  if (step.run()) {
    ++d->next;
    d->lastStep = GetTickCount();
  }
  d->busy = false;
}

}  // namespace

INT_PTR RunScripted(const std::function<INT_PTR()>& open, DialogScript script, bool* finished,
                    int timeoutMs) {
  Driver driver;
  driver.script = std::move(script);
  driver.timeout = static_cast<DWORD>(timeoutMs);
  driver.lastStep = GetTickCount();
  Driver* outer = g_driver;
  g_driver = &driver;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  const INT_PTR result = open();
  KillTimer(nullptr, timer);
  g_driver = outer;
  if (finished) *finished = !driver.timedOut && driver.next == driver.script.size();
  return result;
}

DialogStep Do(std::function<void()> action) {
  return {[action] {
    action();
    return true;
  }};
}

DialogStep OnWindow(const char* caption, std::function<void(HWND)> action) {
  return {[caption, action] {
    HWND window = FindVisibleWindow(nullptr, caption);
    if (!window) return false;
    action(window);
    return true;
  }};
}

DialogStep WhenClosed(const char* caption) {
  return {[caption] { return FindWindowA(nullptr, caption) == nullptr; }};
}

DialogStep ClickButton(const char* caption, int id) {
  return OnWindow(caption, [id](HWND window) { PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); });
}

HMENU OpenPopupMenu() {
  HWND popup = FindVisibleWindow(kMenuClass, nullptr);
  return popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
}

namespace {

std::string MenuItemText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

int PathItemId(HMENU menu, const std::vector<std::string>& path, std::size_t depth) {
  for (int i = 0; menu && depth < path.size() && i < GetMenuItemCount(menu); ++i) {
    if (path[depth] != MenuItemText(menu, i)) continue;
    if (depth + 1 < path.size()) return PathItemId(GetSubMenu(menu, i), path, depth + 1);
    if (!GetSubMenu(menu, i)) return static_cast<int>(GetMenuItemID(menu, i));
  }
  return -1;
}

}  // namespace

int MenuItemId(HMENU menu, const std::vector<std::string>& path) {
  return PathItemId(menu, path, 0);
}

int AnyMenuItemId(HMENU menu, const std::string& text) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const int id = GetSubMenu(menu, i)             ? AnyMenuItemId(GetSubMenu(menu, i), text)
                   : text == MenuItemText(menu, i) ? static_cast<int>(GetMenuItemID(menu, i))
                                                   : -1;
    if (id > 0) return id;
  }
  return -1;
}

DialogStep ChooseMenuItem(std::function<int(HMENU)> find, std::function<HWND()> owner,
                          std::function<void()> missing) {
  auto id = std::make_shared<int>(0);
  return {[find, owner, missing, id] {
    HMENU menu = OpenPopupMenu();
    if (*id == 0) {
      if (!menu) return false;
      *id = find(menu);
      if (*id <= 0) {
        *id = -1;
        missing();
      }
      EndMenu();
      return false;
    }
    if (FindVisibleWindow(kMenuClass, nullptr)) return false;
    if (*id > 0) PostMessageA(owner(), WM_COMMAND, MAKEWPARAM(*id, 0), 0);
    return true;
  }};
}

HWND FindVisibleWindow(const char* className, const char* caption, const std::function<bool(HWND)>& match) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, caption); window;
       window = FindWindowExA(nullptr, window, className, caption)) {
    if (IsWindowVisible(window) && (!match || match(window))) return window;
  }
  return nullptr;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::string ItemText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

std::string LayoutDifferences(HWND dialog, const std::vector<ControlLayout>& layout, bool placesOnly) {
  std::string differences;
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlLayout& row : layout) {
    const std::string name = std::to_string(row.id) + " \"" + row.text + "\": ";
    if (!child) return differences + name + "missing\n";
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    // The dialog manager converts the size on its own, not the far edge.
    RECT units = {row.x, row.y, row.width, row.height};
    MapDialogRect(dialog, &units);
    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    const bool placed = actual.left == units.left && actual.top == units.top &&
                        (placesOnly || (actual.right - actual.left == units.right &&
                                        actual.bottom - actual.top == units.bottom));
    if (static_cast<WORD>(GetDlgCtrlID(child)) != static_cast<WORD>(row.id))
      differences += name + "another id\n";
    if (WindowText(child) != row.text) differences += name + "text \"" + WindowText(child) + "\"\n";
    if (row.className && lstrcmpiA(className, row.className) != 0)
      differences += name + "class " + className + "\n";
    if (!placed) differences += name + "misplaced\n";
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return child ? differences + "more controls than the layout has\n" : differences;
}

void TypeText(HWND window, const char* text) {
  for (const char* c = text; *c; ++c) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

void PostKey(UINT virtualKey) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

namespace {

// One mouse event at a screen point, in the 0..65535 units of absolute input over the primary
// screen; rounded up so that the system's scaling back lands on the same pixel.
INPUT MouseAt(POINT point, DWORD flags) {
  const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(point.x) * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(point.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return input;
}

}  // namespace

bool RightClickAt(POINT point) {
  POINT now = {};
  if (!GetCursorPos(&now) || now.x != point.x || now.y != point.y) {
    INPUT move = MouseAt(point, 0);
    SendInput(1, &move, sizeof move);
    return false;
  }
  INPUT click[2] = {MouseAt(point, MOUSEEVENTF_RIGHTDOWN), MouseAt(point, MOUSEEVENTF_RIGHTUP)};
  SendInput(2, click, sizeof(INPUT));
  return true;
}

std::string DescribeMenu(HMENU menu) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (!out.empty()) out += ", ";
    if (HMENU submenu = GetSubMenu(menu, i)) {
      out += std::string("[") + text + ": " + DescribeMenu(submenu) + "]";
    } else if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
      out += "-";
    } else {
      out += std::string(text) + "=" + std::to_string(GetMenuItemID(menu, i));
    }
  }
  return out;
}
