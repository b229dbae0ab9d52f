// What the photographer waits for, measured from the host's side with the real module: "Do It"
// to the editor on screen, and a right click on a misspelt word of the keyword box to its word
// menu on screen, the first of the run and later ones. The floor is the same dialog resource run
// by a procedure that does nothing else (it fills the keyword box, whose right click opens a
// one-item menu): what Windows itself spends on that dialog and on a menu, which the plug-in
// cannot go below.
//
//   latency_bench editor|floor PLUGIN [MENUS [SHARE TAG...]]
//                      the module's library gets the system's en_US files; with SHARE (a folder
//                      holding hunspell\ and mythes\) the languages TAG too, chosen beside en_US
//   latency_bench walk PLUGIN WORDS SHARE TAG...
//                      the editor over the keywords of the file WORDS (UTF-8, one a line, each
//                      accepted by a language chosen), then one spell check of them all
//
// One process is one run: the host opens its window, then "Do It" (or the floor dialog) runs on
// the main thread while a watcher thread clicks and looks. "On screen" is read from the screen
// itself: the watcher reads pixels of the display until the window's painting has arrived there,
// so a window drawn but not yet shown does not count. Prints, in milliseconds:
//   shown T      Do It (the floor's DialogBoxParam) to the dialog on screen
//   idle T       the dialog's thread free again after that (the editor loads its language then)
//   settled T    shown to the last work of the dialog's thread before it did none for 200 ms (the
//                editor works out the suggestions of the box's words ahead of the first menu)
//   menu T       one line per right click, in order, click to menu on screen
//   walk T       (walk) the spell checker's command to the editor's thread free again: the walk
//                passes every word and the checker ends without showing
// bench/latency.sh runs this several times and takes medians.
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "editor_steps.h"
#include "plugin_loader.h"

namespace {

constexpr COLORREF kHostColour = RGB(255, 0, 255);  // what lies under the dialog before it shows
constexpr DWORD kWaitLimitMs = 20000;
const std::vector<std::string> kKeywords = {"harbor", "sunsett", "beach"};
constexpr int kWordPosition = 10;  // a character of "sunsett" in "harbor; sunsett; beach; "
constexpr int kSpellCheckerCommand = 25000;
constexpr int kSpellWord = 1025;  // the checker's word box

LARGE_INTEGER g_frequency;

double Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(g_frequency.QuadPart);
}

// ---- the floor dialog

WNDPROC g_floorBoxProc = nullptr;

LRESULT CALLBACK FloorBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RBUTTONDOWN) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Floor");
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(box, &at);
    TrackPopupMenu(menu, 0, at.x, at.y, 0, GetParent(box), nullptr);
    DestroyMenu(menu);
    return 1;
  }
  return CallWindowProcA(g_floorBoxProc, box, message, wParam, lParam);
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      std::string text;
      for (const std::string& keyword : kKeywords) text += keyword + "; ";
      SetDlgItemTextA(dialog, IDC_KEYWORDS, text.c_str());
      HWND box = GetDlgItem(dialog, IDC_KEYWORDS);
      g_floorBoxProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FloorBoxProc)));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

// ---- the watcher

struct Watch {
  int menus;
  bool walk = false;
  double start = 0;  // when "Do It" was sent
  std::vector<std::pair<std::string, double>> figures;
  std::string error;
};

bool WaitFor(const std::function<bool()>& done) {
  const DWORD since = GetTickCount();
  while (!done()) {
    if (GetTickCount() - since > kWaitLimitMs) return false;
    Sleep(1);
  }
  return true;
}

// A pixel of the display as it is shown.
COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool ShowsAll(const std::vector<std::pair<POINT, COLORREF>>& probes) {
  for (const auto& probe : probes) {
    if (ScreenPixel(probe.first) != probe.second) return false;
  }
  return true;
}

// Escape, as the user presses it: closes an open menu.
void PressEscape() {
  INPUT escape[2] = {};
  escape[0].type = escape[1].type = INPUT_KEYBOARD;
  escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
  escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, escape, sizeof(INPUT));
}

// When the thread of window last worked, once it has done no work for 200 ms (its processor times
// unchanged).
double SettledAt(HWND window) {
  HANDLE thread =
      OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, GetWindowThreadProcessId(window, nullptr));
  const double start = Now();
  double changedAt = start;
  ULONGLONG last = 0;
  while (thread && Now() - changedAt < 200 && Now() - start < kWaitLimitMs) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) break;
    const ULONGLONG used = (ULONGLONG{kernel.dwHighDateTime} << 32 | kernel.dwLowDateTime) +
                           (ULONGLONG{user.dwHighDateTime} << 32 | user.dwLowDateTime);
    if (used != last) changedAt = Now();
    last = used;
    Sleep(10);
  }
  if (thread) CloseHandle(thread);
  return changedAt;
}

// One spell check of the whole keyword box, to the checker's message that it is complete (the walk
// runs as the checker's dialog starts, and when it passes every word the dialog never shows). The
// checker's dialog showing instead stopped at a word.
void Walk(Watch& watch, HWND dialog) {
  const double at = Now();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kSpellCheckerCommand, 0), 0);
  HWND shown = nullptr;
  WaitFor([&] {
    shown = FindVisibleWindow("#32770", "Spell Checker");
    return shown != nullptr;
  });
  watch.figures.push_back({"walk", Now() - at});
  if (!shown) {
    watch.error = "the spell checker never ended";
    return;
  }
  if (GetDlgItem(shown, kSpellWord)) {
    char word[200] = {};
    GetDlgItemTextA(shown, kSpellWord, word, sizeof word);
    watch.error = std::string("the walk stopped at \"") + word + "\"";
    PostMessageA(shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  } else {
    PostMessageA(shown, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  }
  WaitFor([&] { return !IsWindow(shown); });
}

void Run(Watch& watch) {
  HWND dialog = nullptr;
  if (!WaitFor([&] {
        dialog = FindVisibleWindow("#32770", kEditorCaption);
        return dialog != nullptr;
      })) {
    watch.error = "the dialog did not open";
    return;
  }
  // The dialog's face near its bottom left corner and the inside of the keyword box below its
  // text: both are the host's colour until the dialog's painting is on the screen.
  RECT face, box;
  GetClientRect(dialog, &face);
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&face), 2);
  HWND keywordBox = GetDlgItem(dialog, IDC_KEYWORDS);
  GetWindowRect(keywordBox, &box);
  const std::vector<std::pair<POINT, COLORREF>> shown = {
      {{face.left + 4, face.bottom - 4}, GetSysColor(COLOR_BTNFACE)},
      {{box.left + 8, box.bottom - 8}, GetSysColor(COLOR_WINDOW)}};
  if (!WaitFor([&] { return ShowsAll(shown); })) {
    watch.error = "the dialog never showed";
    return;
  }
  const double shownAt = Now();
  watch.figures.push_back({"shown", shownAt - watch.start});
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kWaitLimitMs, &ignored);
  watch.figures.push_back({"idle", Now() - shownAt});
  // The first click comes once the editor has settled, as a photographer's does.
  watch.figures.push_back({"settled", SettledAt(dialog) - shownAt});
  if (watch.walk) {
    Walk(watch, dialog);
    return;
  }

  const LRESULT place = SendMessageA(keywordBox, EM_POSFROMCHAR, kWordPosition, 0);
  POINT click = {static_cast<short>(LOWORD(place)) + 2, static_cast<short>(HIWORD(place)) + 4};
  ClientToScreen(keywordBox, &click);
  // The menu opens with its top left corner at the click. Wine draws a popup menu's frame in the
  // button shadow colour, which the keyword box does not show there.
  const COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
  const std::vector<std::pair<POINT, COLORREF>> menuShown = {
      {{click.x + 6, click.y}, frame}, {{click.x, click.y + 3}, frame}, {{click.x, click.y + 6}, frame}};
  DWORD lastClick = 0;
  for (int i = 0; i < watch.menus; ++i) {
    // A click within the double-click time of the last one would come as a double click.
    while (lastClick && GetTickCount() - lastClick <= GetDoubleClickTime() + 50) Sleep(5);
    double clickedAt = 0;
    if (!WaitFor([&] {
          clickedAt = Now();
          return RightClickAt(click);
        })) {
      watch.error = "the pointer did not come to the word";
      return;
    }
    lastClick = GetTickCount();
    if (!WaitFor([&] { return ShowsAll(menuShown); })) {
      watch.error = "the menu never showed";
      return;
    }
    watch.figures.push_back({"menu", Now() - clickedAt});
    PressEscape();
    if (!WaitFor([&] { return FindVisibleWindow(kMenuClass, nullptr) == nullptr && !ShowsAll(menuShown); })) {
      watch.error = "the menu did not close";
      return;
    }
  }
}

DWORD WINAPI WatchThread(void* parameter) {
  Watch& watch = *static_cast<Watch*>(parameter);
  Run(watch);
  // Closes the dialog, whatever came of the run, so that the main thread can report.
  HWND dialog = nullptr;
  if (FindVisibleWindow(kMenuClass, nullptr)) PressEscape();
  WaitFor([&] {
    dialog = FindWindowA("#32770", kEditorCaption);
    if (dialog) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    return dialog != nullptr;
  });
  return 0;
}

// ---- the host

// The host's window, the active one when "Do It" comes, painted in a colour no dialog shows.
HWND OpenHostWindow() {
  WNDCLASSA type = {};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hbrBackground = CreateSolidBrush(kHostColour);
  type.lpszClassName = "LatencyHost";
  RegisterClassA(&type);
  HWND host = CreateWindowExA(0, "LatencyHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              type.hInstance, nullptr);
  SetForegroundWindow(host);
  SetActiveWindow(host);
  UpdateWindow(host);
  // Until its colour is on the screen.
  RECT client;
  GetClientRect(host, &client);
  const POINT middle = {client.right / 2, client.bottom / 2};
  WaitFor([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return ScreenPixel(middle) == kHostColour;
  });
  return host;
}

// The module's library as the installation leaves it, with the system's en_US speller (in the
// library root) and thesaurus (in its dic folder).
void InstallDictionaries() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  const std::string root = std::string(system) + "\\kwTemplates\\";
  for (const char* folder : {"", "Templates", "Groups", "dic"})
    CreateDirectoryA((root + folder).c_str(), nullptr);
  CopyFileA("Z:\\usr\\share\\hunspell\\en_US.aff", (root + "en_US.aff").c_str(), FALSE);
  CopyFileA("Z:\\usr\\share\\hunspell\\en_US.dic", (root + "en_US.dic").c_str(), FALSE);
  CopyFileA("Z:\\usr\\share\\mythes\\th_en_US_v2.idx", (root + "dic\\en_US.idx").c_str(), FALSE);
  CopyFileA("Z:\\usr\\share\\mythes\\th_en_US_v2.dat", (root + "dic\\en_US.dat").c_str(), FALSE);
}

// With more languages (the Unicode builds): their files as the installer leaves them beside en_US's,
// taken from the folder share holds (hunspell\, mythes\), and the user's choice of them with
// English (US) beside the user's library.
void ChooseLanguages(const std::string& share, const std::vector<std::string>& tags) {
  char system[MAX_PATH] = {}, appData[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  const std::string root = std::string(system) + "\\kwTemplates\\";
  std::string choice = "en_US\r\n";
  for (const std::string& tag : tags) {
    const std::string thesaurus = share + "\\mythes\\th_" + tag + "_v2";
    CopyFileA((share + "\\hunspell\\" + tag + ".aff").c_str(), (root + tag + ".aff").c_str(), FALSE);
    CopyFileA((share + "\\hunspell\\" + tag + ".dic").c_str(), (root + tag + ".dic").c_str(), FALSE);
    CopyFileA((thesaurus + ".idx").c_str(), (root + tag + ".idx").c_str(), FALSE);
    CopyFileA((thesaurus + ".dat").c_str(), (root + tag + ".dat").c_str(), FALSE);
    choice += tag + "\r\n";
  }
  GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
  const std::string library = std::string(appData) + "\\Tavimor\\kwTemplates\\";
  CreateDirectoryA((std::string(appData) + "\\Tavimor").c_str(), nullptr);
  CreateDirectoryA(library.c_str(), nullptr);
  HANDLE file = CreateFileA((library + "Languages.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) {
    WriteFile(file, choice.data(), static_cast<DWORD>(choice.size()), &written, nullptr);
    CloseHandle(file);
  }
}

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return lines;
  char line[512];
  while (std::fgets(line, sizeof line, file)) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (!text.empty()) lines.push_back(text);
  }
  std::fclose(file);
  return lines;
}

int Usage() {
  std::fprintf(stderr,
               "usage: latency_bench editor|floor PLUGIN [MENUS [SHARE TAG...]]\n"
               "       latency_bench walk PLUGIN WORDS SHARE TAG...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  Watch watch;
  watch.walk = std::strcmp(argv[1], "walk") == 0;
  const bool editor = watch.walk || std::strcmp(argv[1], "editor") == 0;
  if (!editor && std::strcmp(argv[1], "floor") != 0) return Usage();
  if (watch.walk && argc < 5) return Usage();
  watch.menus = argc > 3 && !watch.walk ? std::atoi(argv[3]) : 6;
  QueryPerformanceFrequency(&g_frequency);

  stub::FakeHost host;
  host.SetKeywords(watch.walk ? ReadLines(argv[3]) : kKeywords);
  InstallDictionaries();
  if (argc > 4) ChooseLanguages(argv[4], std::vector<std::string>(argv + 5, argv + argc));
  // The floor takes only the dialog resource from the module; none of its code runs.
  std::unique_ptr<LoadedPlugin> plugin;
  HMODULE resources = nullptr;
  if (editor) {
    plugin = std::make_unique<LoadedPlugin>(argv[2]);
  } else {
    resources = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  if (editor ? !plugin->Loaded() : !resources) {
    std::fprintf(stderr, "cannot load %s (error %lu)\n", argv[2], GetLastError());
    return 1;
  }
  HWND hostWindow = OpenHostWindow();
  HANDLE watcher = CreateThread(nullptr, 0, WatchThread, &watch, 0, nullptr);
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
  watch.start = Now();
  if (editor) {
    plugin->DoIt(host, &params);
  } else {
    DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_EDITOR), hostWindow, FloorProc, 0);
  }
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  if (params.descriptor) host.FreeDescriptor(params.descriptor);
  DestroyWindow(hostWindow);
  if (plugin) plugin->Unload();
  if (resources) FreeLibrary(resources);
  for (const auto& figure : watch.figures) std::printf("%s %.1f\n", figure.first.c_str(), figure.second);
  if (!watch.error.empty()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], watch.error.c_str());
    return 1;
  }
  return 0;
}
