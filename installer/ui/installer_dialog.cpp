#include "installer_dialog.h"

#include "installer_res.h"
#include "status_line.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

namespace {

// The shortest time between two pictures of a run: about thirty a second, as smooth as the eye asks.
constexpr DWORD kFrameTime = 33;

// The step the bar advances by: the control's default, which the dialog never changes.
constexpr int kProgressStep = 10;

}  // namespace

InstallerDialog::InstallerDialog(HWND parent, const StartCommand& command)
    : DialogBase(IDD_INSTALLER, parent), command_(command) {
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
  // Looked up once: the run reports to them for every entry, and each lookup asks the system.
  status_ = GetDlgItem(window_, IDC_STATUS);
  bar_ = GetDlgItem(window_, IDC_PROGRESS);
  services_.SetPromptOwner(window_);
  Centre();
  session_ = std::make_unique<InstallSession>(services_, command_.dialogUninstall, command_.dialogScriptPath);
  uninstall_ = session_->Uninstall();
  // Without a script there is nothing to run: the main button stays disabled.
  if (!session_->Load(this)) {
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
  finished_ = false;
  return TRUE;
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

  InstallScript& script = session_->Script();
  welcomeText_ = script.GetVariable("WelcomeText");
  SetDlgItemTextA(window_, IDC_HEADING, welcomeText_.c_str());
  const std::string browseText = script.GetVariable("BrowseText");
  if (!browseText.empty()) SetDlgItemTextA(window_, IDC_FOLDER_HINT, browseText.c_str());
  SetDlgItemTextA(window_, IDC_INFO, script.GetVariable("InfoText").c_str());

  if (script.GetVariable("InstallationFolder").empty()) {
    chosenFolder_ = script.GetVariable("DefaultInstFolder");
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
  if (!session_) return;
  InstallScript& script = session_->Script();
  std::string outcome = script.GetVariable("Name") + " Setup has comlpeted successfuly";

  // A folder typed into the box counts as chosen, as the hint invites.
  if (IsWindowVisible(GetDlgItem(window_, IDC_FOLDER))) {
    const std::string typed = ItemText(IDC_FOLDER);
    if (!typed.empty()) chosenFolder_ = typed;
  }
  ShowFolderControls(false);
  ShowWindow(GetDlgItem(window_, IDC_PROGRESS), SW_SHOW);
  SetDlgItemTextA(window_, IDC_INFO, "");

  running_ = true;
  // Only an install goes where the user chose; an uninstall works where the install went (its
  // record, or the script's fixed folder), never in a folder it merely offered.
  if (!session_->Run(chosenFolder_))
    outcome = uninstall_ ? "Failed to Uninstall" : "Failed to finished the Installation";
  running_ = false;
  if (script.LastChoice() == kAnswerAbort) outcome = "Setup has canceled";
  session_.reset();

  ShowWindow(status_, SW_HIDE);
  statusShown_ = false;
  SetDlgItemTextA(window_, IDC_MAIN_BUTTON, "Finish");
  ShowWindow(GetDlgItem(window_, IDCANCEL), SW_HIDE);
  SetDlgItemTextA(window_, IDC_HEADING, outcome.c_str());
  finished_ = true;
}

// The status line and the bar paint themselves at once whenever they change, which for a list of
// small entries costs more than the entries' own work. So a run is shown at the pace of the screen:
// changes wait until a frame's time has passed since the last picture, and everything waiting is
// shown before the run waits for the user and when it ends. In between the dialog takes no messages,
// so what it shows then is never looked at; at most a shell operation that pumps messages while it
// works could show a picture one frame old.
void InstallerDialog::ShowStatus(const char* text, const char* detail) {
  if (!statusShown_) {
    ShowWindow(status_, SW_SHOW);
    statusShown_ = true;
  }
  statusLine_ = StatusLine(text, detail);
  if (FrameDue()) ShowPending();
}

void InstallerDialog::Step() {
  ++waitingSteps_;
  if (FrameDue()) ShowPending();
}

void InstallerDialog::ShowPending() {
  if (statusLine_ != shownLine_) {
    shownLine_ = statusLine_;
    SetWindowTextA(status_, shownLine_.c_str());
  }
  // The waiting steps in one move where they stay inside the range; a step past its end goes to the
  // bar itself, which decides where it starts over.
  PBRANGE range = {};
  SendMessageA(bar_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  while (waitingSteps_ > 0) {
    const int position = static_cast<int>(SendMessageA(bar_, PBM_GETPOS, 0, 0));
    const int fit = std::min(waitingSteps_, std::max(0, (range.iHigh - position) / kProgressStep));
    if (fit > 0) {
      SendMessageA(bar_, PBM_DELTAPOS, static_cast<WPARAM>(fit * kProgressStep), 0);
      waitingSteps_ -= fit;
    } else {
      SendMessageA(bar_, PBM_STEPIT, 0, 0);
      --waitingSteps_;
    }
  }
  lastFrame_ = GetTickCount();
}

bool InstallerDialog::FrameDue() const {
  return GetTickCount() - lastFrame_ >= kFrameTime;
}

void InstallerDialog::SetRange(int count) {
  // The 32-bit form: long lists pass the 16-bit range of PBM_SETRANGE.
  SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(count + 1) * 10);
}
