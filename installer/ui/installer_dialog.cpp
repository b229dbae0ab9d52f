#include "installer_dialog.h"

#include "command_line.h"
#include "installer_res.h"
#include "uninstall_record.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

namespace {

// The step the bar advances by: the control's default, which the dialog never changes.
constexpr int kProgressStep = 10;

}  // namespace

// Where the progress bar's picture changes: it is drawn from the pixel its filled part ends at,
// inside a one-pixel frame, or where a visual style draws it, inside the style's frame and rounded up
// to whole chunks of the style's chunk and space sizes.
struct InstallerDialog::BarGeometry {
  int width = -1;  // pixels the filled part grows in; -1 when not known
  int chunk = 1;   // the filled part ends on a multiple of this

  int PictureOf(int position, int low, int high) const {
    const int end = MulDiv(position - low, width, high - low);
    return std::min((end + chunk - 1) / chunk * chunk, width);
  }
};

namespace {

InstallerDialog::BarGeometry BarGeometryOf(HWND bar) {
  InstallerDialog::BarGeometry geometry;
  RECT area = {};
  GetClientRect(bar, &area);
  typedef HANDLE(WINAPI * WindowTheme)(HWND);
  typedef HRESULT(WINAPI * ContentRect)(HANDLE, HDC, int, int, const RECT*, RECT*);
  typedef HRESULT(WINAPI * ThemeInt)(HANDLE, int, int, int, int*);
  static HMODULE library = LoadLibraryA("UXTHEME.DLL");  // kept loaded
  auto find = [](const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(library, name)) : nullptr;
  };
  static auto theme = reinterpret_cast<WindowTheme>(find("GetWindowTheme"));
  static auto content = reinterpret_cast<ContentRect>(find("GetThemeBackgroundContentRect"));
  static auto number = reinterpret_cast<ThemeInt>(find("GetThemeInt"));
  HANDLE style = theme ? theme(bar) : nullptr;
  if (!style) {
    geometry.width = std::max(0, static_cast<int>(area.right - area.left) - 2);
    return geometry;
  }
  RECT inside = {};
  int chunk = 0, space = 0;
  if (content && number && SUCCEEDED(content(style, nullptr, 1 /* PP_BAR */, 0, &area, &inside)) &&
      SUCCEEDED(number(style, 0, 0, 2411 /* TMT_PROGRESSCHUNKSIZE */, &chunk)) &&
      SUCCEEDED(number(style, 0, 0, 2412 /* TMT_PROGRESSSPACESIZE */, &space)) && chunk > 0 && space >= 0) {
    geometry.width = std::max(0, static_cast<int>(inside.right - inside.left));
    geometry.chunk = chunk + space;
  }
  return geometry;
}

}  // namespace

InstallerDialog::InstallerDialog(HWND parent, const std::string& commandLine)
    : DialogBase(IDD_INSTALLER, parent), commandLine_(commandLine) {
  // The folder box's completion and the folder browser are COM objects of the dialog's thread.
  comEntered_ = SUCCEEDED(CoInitialize(nullptr));
  Map(WM_INITDIALOG, [this](WPARAM w, LPARAM l) { return OnInitDialog(w, l); });
  Map(WM_COMMAND, [this](WPARAM w, LPARAM l) { return OnCommand(w, l); });
}

InstallerDialog::~InstallerDialog() {
  if (comEntered_) CoUninitialize();
}

INT_PTR InstallerDialog::OnInitDialog(WPARAM, LPARAM) {
  window_ = Window();
  services_.SetPromptOwner(window_);
  Centre();
  script_ = std::make_unique<InstallScript>(services_, InstallerActions());

  std::string scriptPath;
  uninstall_ = IsUninstallCommand(commandLine_, scriptPath);
  // Without a script there is nothing to run: the main button stays disabled.
  if (!script_->Load(uninstall_ ? scriptPath : "", this)) {
    EnableWindow(GetDlgItem(window_, IDC_MAIN_BUTTON), FALSE);
    return TRUE;
  }
  if (uninstall_) {
    FillTexts();
    ShowFolderControls(false);
    SetDlgItemTextA(window_, IDC_MAIN_BUTTON, "UnInstall");
  } else {
    ShowFolderControls(false);
    FillTexts();  // offers the folder again unless the script fixes it
  }
  EnableAutoComplete();
  HWND bar = GetDlgItem(window_, IDC_PROGRESS);
  SetWindowLongPtrA(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  barProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InstallerDialog::BarProcedure)));
  finished_ = false;
  return TRUE;
}

LRESULT CALLBACK InstallerDialog::BarProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<InstallerDialog*>(GetWindowLongPtrA(bar, GWLP_USERDATA));
  if (!dialog) return DefWindowProcA(bar, message, wParam, lParam);
  const WNDPROC original = dialog->barProcedure_;
  if (message == WM_PAINT && dialog->unchangedStep_) {
    ValidateRect(bar, nullptr);  // the picture on screen is the one this paint would draw
    return 0;
  }
  if (message == WM_THEMECHANGED || message == WM_SIZE || message == WM_STYLECHANGED)
    dialog->barGeometry_.reset();  // measured again at the next step
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrA(bar, GWLP_USERDATA, 0);
  }
  return CallWindowProcA(original, bar, message, wParam, lParam);
}

INT_PTR InstallerDialog::OnCommand(WPARAM wParam, LPARAM) {
  // The error prompt's loop still hands the dialog what is posted to it: nothing may start a second
  // run inside the first or end the dialog under it.
  if (running_) return TRUE;
  switch (LOWORD(wParam)) {
    case IDOK:
      End(1);
      break;
    case IDCANCEL:
      End(2);
      break;
    case IDC_BROWSE:
      Browse();
      break;
    case IDC_MAIN_BUTTON:
      RunMainButton();
      break;
  }
  return TRUE;
}

void InstallerDialog::Centre() {
  RECT area;
  HWND parent = Parent();
  if (parent) {
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
  } else {
    GetClientRect(GetDesktopWindow(), &area);
  }
  RECT own;
  GetWindowRect(window_, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int offset = GetSystemMetrics(SM_CXSIZE);
  if (!(GetWindowLongA(window_, GWL_STYLE) & WS_SYSMENU)) offset -= offset / 3;

  int x = area.left + std::max(0L, area.right - area.left - width) / 2 - offset;
  int y = area.top + std::max(0L, area.bottom - area.top - height) / 3;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (x + width > screenWidth) x = std::max(0, screenWidth - width);
  if (y + height > screenHeight) y = std::max(0, screenHeight - height);
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void InstallerDialog::FillTexts() {
  HFONT heading = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, nullptr);
  SendDlgItemMessageA(window_, IDC_HEADING, WM_SETFONT, reinterpret_cast<WPARAM>(heading), FALSE);

  welcomeText_ = script_->GetVariable("WelcomeText");
  SetDlgItemTextA(window_, IDC_HEADING, welcomeText_.c_str());
  const std::string browseText = script_->GetVariable("BrowseText");
  if (!browseText.empty()) SetDlgItemTextA(window_, IDC_FOLDER_HINT, browseText.c_str());
  SetDlgItemTextA(window_, IDC_INFO, script_->GetVariable("InfoText").c_str());

  if (script_->GetVariable("InstallationFolder").empty()) {
    chosenFolder_ = script_->GetVariable("DefaultInstFolder");
    SetDlgItemTextA(window_, IDC_FOLDER, chosenFolder_.c_str());
    ShowFolderControls(true);
  }
}

void InstallerDialog::ShowFolderControls(bool show) {
  for (int id : {IDC_BROWSE, IDC_FOLDER, IDC_FOLDER_HINT})
    ShowWindow(GetDlgItem(window_, id), show ? SW_SHOW : SW_HIDE);
}

void InstallerDialog::EnableAutoComplete() {
  typedef HRESULT(WINAPI * AutoComplete)(HWND, DWORD);
  static HMODULE library = LoadLibraryA("SHLWAPI.DLL");  // kept loaded
  if (!library) return;
  auto call =
      reinterpret_cast<AutoComplete>(reinterpret_cast<void*>(GetProcAddress(library, "SHAutoComplete")));
  if (call) call(GetDlgItem(window_, IDC_FOLDER), 1 /* SHACF_FILESYSTEM */);
}

void InstallerDialog::Browse() {
  BROWSEINFOA browse = {};
  browse.lpszTitle = "Select The Installation Folder";
  LPITEMIDLIST items = SHBrowseForFolderA(&browse);
  if (!items) return;
  char path[MAX_PATH] = "";
  if (SHGetPathFromIDListA(items, path)) {
    SetCurrentDirectoryA(path);
    chosenFolder_ = path;
    SetDlgItemTextA(window_, IDC_FOLDER, path);
  }
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(items);
    allocator->Release();
  }
}

std::string InstallerDialog::ItemText(int id) const {
  HWND item = GetDlgItem(window_, id);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(item, &text[0], static_cast<int>(text.size()))));
  return text;
}

void InstallerDialog::RunMainButton() {
  if (finished_) {
    End(1);
    return;
  }
  if (!script_) return;
  std::string outcome = script_->GetVariable("Name") + " Setup has comlpeted successfuly";

  // A folder typed into the box counts as chosen, as the hint invites.
  if (IsWindowVisible(GetDlgItem(window_, IDC_FOLDER))) {
    const std::string typed = ItemText(IDC_FOLDER);
    if (!typed.empty()) chosenFolder_ = typed;
  }
  // Only an install goes where the user chose; an uninstall works where the install went (its
  // record, or the script's fixed folder), never in a folder it merely offered.
  if (!uninstall_ && script_->GetVariable("InstallationFolder").empty())
    script_->SetVariable("InstallationFolder", chosenFolder_);

  ShowFolderControls(false);
  ShowWindow(GetDlgItem(window_, IDC_PROGRESS), SW_SHOW);
  SetDlgItemTextA(window_, IDC_INFO, "");

  running_ = true;
  if (!uninstall_) {
    if (!script_->Run(true)) outcome = "Failed to finished the Installation";
    WriteUninstallRecord(script_->GetVariable("Name"), script_->GetVariable("InstallationFolder"));
  } else if (!script_->Run(false)) {
    outcome = "Failed to Uninstall";
  }
  running_ = false;
  if (script_->LastChoice() == kAnswerAbort) outcome = "Setup has canceled";
  script_.reset();

  ShowWindow(GetDlgItem(window_, IDC_STATUS), SW_HIDE);
  SetDlgItemTextA(window_, IDC_MAIN_BUTTON, "Finish");
  ShowWindow(GetDlgItem(window_, IDCANCEL), SW_HIDE);
  SetDlgItemTextA(window_, IDC_HEADING, outcome.c_str());
  finished_ = true;
}

void InstallerDialog::ShowStatus(const char* text, const char* detail) {
  HWND status = GetDlgItem(window_, IDC_STATUS);
  if (!IsWindowVisible(status)) ShowWindow(status, SW_SHOW);
  // The line paints itself whenever its text is set; the same text again shows nothing new.
  const std::string line = StatusLine(text, detail);
  if (line == statusLine_) return;
  statusLine_ = line;
  SetWindowTextA(status, line.c_str());
}

void InstallerDialog::Step() {
  // The bar paints itself at once on every step, which can cost more than a small entry's own work.
  // A step that leaves its picture as it was, with nothing else of the bar waiting to be painted, is
  // made without painting.
  HWND bar = GetDlgItem(window_, IDC_PROGRESS);
  PBRANGE range = {};
  SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const int before = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
  const int after = before + kProgressStep;
  if (!barGeometry_) barGeometry_ = std::make_unique<BarGeometry>(BarGeometryOf(bar));
  const BarGeometry& geometry = *barGeometry_;
  unchangedStep_ = geometry.width >= 0 && range.iHigh > range.iLow && after <= range.iHigh &&
                   before >= range.iLow &&
                   geometry.PictureOf(before, range.iLow, range.iHigh) ==
                       geometry.PictureOf(after, range.iLow, range.iHigh) &&
                   !GetUpdateRect(bar, nullptr, FALSE);
  SendMessageA(bar, PBM_STEPIT, 0, 0);
  unchangedStep_ = false;
}

void InstallerDialog::SetRange(int count) {
  // The 32-bit form: long lists pass the 16-bit range of PBM_SETRANGE.
  SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(count + 1) * 10);
}
