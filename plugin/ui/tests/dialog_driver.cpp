#include "dialog_driver.h"

namespace {

struct Driver {
  DialogScript script;
  std::size_t next = 0;
  bool busy = false;
  DWORD deadline = 0;
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
  if (GetTickCount() > d->deadline) {
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
    step.run();
    return;
  }
  d->busy = true;
  if (step.run()) ++d->next;
  d->busy = false;
}

}  // namespace

INT_PTR RunScripted(const std::function<INT_PTR()>& open, DialogScript script, bool* finished,
                    int timeoutMs) {
  Driver driver;
  driver.script = std::move(script);
  driver.deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
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

HWND FindVisibleWindow(const char* className, const char* caption) {
  HWND window = FindWindowA(className, caption);
  return window && IsWindowVisible(window) ? window : nullptr;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::string ItemText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

void TypeText(HWND window, const char* text) {
  for (const char* c = text; *c; ++c) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

void PostKey(UINT virtualKey) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(focus, WM_KEYUP, virtualKey, 0xC0000001);
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
