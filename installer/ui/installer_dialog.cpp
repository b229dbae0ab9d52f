#include "installer_dialog.h"

#include "dialog_state.h"
#include "install_session.h"
#include "installer_res.h"
#include "status_line.h"
#include "system_services.h"
#include "system_text.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// The shortest time between two pictures of a run: about thirty a second, as smooth as the eye asks.
constexpr DWORD kFrameTime = 33;

// The step the bar advances by: the control's default, which the dialog never changes.
constexpr int kProgressStep = 10;

// The status line and the bar paint themselves at once whenever they change, which for a list of
// small entries costs more than the entries' own work. So a run is shown at the pace of the screen:
// changes wait until a frame's time has passed since the last picture, and everything waiting is
// shown before the run waits for the user and when it ends. In between the dialog takes no messages,
// so what it shows then is never looked at; at most a shell operation that pumps messages while it
// works could show a picture one frame old.
class RunDisplay : public ProgressSink {
 public:
  void Attach(HWND status, HWND bar) {
    status_ = status;
    bar_ = bar;
  }
  // Hides the status line until the next status.
  void HideStatus() {
    ShowWindow(status_, SW_HIDE);
    statusShown_ = false;
  }

  void ShowStatus(const char* text, const char* detail) override {
    if (!statusShown_) {
      ShowWindow(status_, SW_SHOW);
      statusShown_ = true;
    }
    statusLine_ = StatusLine(text, detail);
    if (FrameDue()) ShowPending();
  }

  void Step() override {
    ++waitingSteps_;
    if (FrameDue()) ShowPending();
  }

  void ShowPending() override {
    if (statusLine_ != shownLine_) {
      shownLine_ = statusLine_;
      SetWindowTextW(status_, WideText(shownLine_).c_str());
    }
    // The waiting steps in one move where they stay inside the range; a step past its end goes to
    // the bar itself, which decides where it starts over.
    PBRANGE range = {};
    SendMessageW(bar_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    while (waitingSteps_ > 0) {
      const int position = static_cast<int>(SendMessageW(bar_, PBM_GETPOS, 0, 0));
      const int fit = std::min(waitingSteps_, std::max(0, (range.iHigh - position) / kProgressStep));
      if (fit > 0) {
        SendMessageW(bar_, PBM_DELTAPOS, static_cast<WPARAM>(fit * kProgressStep), 0);
        waitingSteps_ -= fit;
      } else {
        SendMessageW(bar_, PBM_STEPIT, 0, 0);
        --waitingSteps_;
      }
    }
    lastFrame_ = GetTickCount();
  }

  void SetRange(int count) override {
    // The 32-bit form: long lists pass the 16-bit range of PBM_SETRANGE.
    SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(count + 1) * 10);
  }

 private:
  bool FrameDue() const { return GetTickCount() - lastFrame_ >= kFrameTime; }

  HWND status_ = nullptr, bar_ = nullptr;  // the status line and the progress bar
  std::string statusLine_;                 // the status line's latest text
  std::string shownLine_;                  // the text the line shows
  DWORD lastFrame_ = 0;                    // when the run was last put on screen (GetTickCount)
  bool statusShown_ = false;               // the status line is on (it is hidden until the first status)
  int waitingSteps_ = 0;                   // steps of the bar not yet made
};

struct InstallerDialog {
  StartCommand command;
  HWND owner = nullptr;

  SystemServices services;
  std::unique_ptr<InstallSession> session;
  RunDisplay display;
  bool uninstall = false;
  bool finished = false;
  bool running = false;  // inside the main button's run
  std::string chosenFolder;
};

void SetItemText(HWND window, int id, const std::string& text) {
  SetDlgItemTextW(window, id, WideText(text).c_str());
}

std::string ItemText(HWND window, int id) {
  HWND item = GetDlgItem(window, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
  return NarrowText(text);
}

void Centre(HWND window, HWND owner) {
  RECT area;
  if (owner) {
    GetClientRect(owner, &area);
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&area), 2);
  } else {
    GetClientRect(GetDesktopWindow(), &area);
  }
  RECT own;
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int offset = GetSystemMetrics(SM_CXSIZE);
  if (!(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU)) offset -= offset / 3;

  int x = area.left + std::max(0L, area.right - area.left - width) / 2 - offset;
  int y = area.top + std::max(0L, area.bottom - area.top - height) / 3;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (x + width > screenWidth) x = std::max(0, screenWidth - width);
  if (y + height > screenHeight) y = std::max(0, screenHeight - height);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ShowFolderControls(HWND window, bool show) {
  for (int id : {IDC_BROWSE, IDC_FOLDER, IDC_FOLDER_HINT})
    ShowWindow(GetDlgItem(window, id), show ? SW_SHOW : SW_HIDE);
}

void FillTexts(HWND window, InstallerDialog& dialog) {
  HFONT heading = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, nullptr);
  SendDlgItemMessageW(window, IDC_HEADING, WM_SETFONT, reinterpret_cast<WPARAM>(heading), FALSE);

  InstallScript& script = dialog.session->Script();
  SetItemText(window, IDC_HEADING, script.GetVariable("WelcomeText"));
  const std::string browseText = script.GetVariable("BrowseText");
  if (!browseText.empty()) SetItemText(window, IDC_FOLDER_HINT, browseText);
  SetItemText(window, IDC_INFO, script.GetVariable("InfoText"));

  if (script.GetVariable("InstallationFolder").empty()) {
    dialog.chosenFolder = script.GetVariable("DefaultInstFolder");
    SetItemText(window, IDC_FOLDER, dialog.chosenFolder);
    ShowFolderControls(window, true);
  }
}

void EnableAutoComplete(HWND window) {
  typedef HRESULT(WINAPI * AutoComplete)(HWND, DWORD);
  static HMODULE library = LoadLibraryW(L"SHLWAPI.DLL");  // kept loaded
  if (!library) return;
  auto call =
      reinterpret_cast<AutoComplete>(reinterpret_cast<void*>(GetProcAddress(library, "SHAutoComplete")));
  if (call) call(GetDlgItem(window, IDC_FOLDER), 1 /* SHACF_FILESYSTEM */);
}

void Browse(HWND window, InstallerDialog& dialog) {
  BROWSEINFOW browse = {};
  browse.lpszTitle = L"Select The Installation Folder";
  LPITEMIDLIST items = SHBrowseForFolderW(&browse);
  if (!items) return;
  wchar_t path[MAX_PATH] = L"";
  if (SHGetPathFromIDListW(items, path)) {
    SetCurrentDirectoryW(path);
    dialog.chosenFolder = NarrowText(path);
    SetDlgItemTextW(window, IDC_FOLDER, path);
  }
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(items);
    allocator->Release();
  }
}

INT_PTR OnInitDialog(HWND window, InstallerDialog& dialog) {
  // Looked up once: the run reports to them for every entry, and each lookup asks the system.
  dialog.display.Attach(GetDlgItem(window, IDC_STATUS), GetDlgItem(window, IDC_PROGRESS));
  dialog.services.SetPromptOwner(window);
  Centre(window, dialog.owner);
  dialog.session = std::make_unique<InstallSession>(dialog.services, dialog.command.dialogUninstall,
                                                    dialog.command.dialogScriptPath);
  dialog.uninstall = dialog.session->Uninstall();
  // Without a script there is nothing to run: the main button stays disabled.
  if (!dialog.session->Load(&dialog.display)) {
    EnableWindow(GetDlgItem(window, IDC_MAIN_BUTTON), FALSE);
    return TRUE;
  }
  if (dialog.uninstall) {
    FillTexts(window, dialog);
    ShowFolderControls(window, false);
    SetDlgItemTextW(window, IDC_MAIN_BUTTON, L"UnInstall");
  } else {
    ShowFolderControls(window, false);
    FillTexts(window, dialog);  // offers the folder again unless the script fixes it
  }
  EnableAutoComplete(window);
  dialog.finished = false;
  return TRUE;
}

void RunMainButton(HWND window, InstallerDialog& dialog) {
  if (dialog.finished) {
    EndDialog(window, 1);
    return;
  }
  if (!dialog.session) return;
  InstallScript& script = dialog.session->Script();
  std::string outcome = script.GetVariable("Name") + " Setup has comlpeted successfuly";

  // A folder typed into the box counts as chosen, as the hint invites.
  if (IsWindowVisible(GetDlgItem(window, IDC_FOLDER))) {
    const std::string typed = ItemText(window, IDC_FOLDER);
    if (!typed.empty()) dialog.chosenFolder = typed;
  }
  ShowFolderControls(window, false);
  ShowWindow(GetDlgItem(window, IDC_PROGRESS), SW_SHOW);
  SetDlgItemTextW(window, IDC_INFO, L"");

  dialog.running = true;
  // Only an install goes where the user chose; an uninstall works where the install went (its
  // record, or the script's fixed folder), never in a folder it merely offered.
  if (!dialog.session->Run(dialog.chosenFolder))
    outcome = dialog.uninstall ? "Failed to Uninstall" : "Failed to finished the Installation";
  dialog.running = false;
  if (script.LastChoice() == kAnswerAbort) outcome = "Setup has canceled";
  dialog.session.reset();

  dialog.display.HideStatus();
  SetDlgItemTextW(window, IDC_MAIN_BUTTON, L"Finish");
  ShowWindow(GetDlgItem(window, IDCANCEL), SW_HIDE);
  SetItemText(window, IDC_HEADING, outcome);
  dialog.finished = true;
}

INT_PTR OnCommand(HWND window, InstallerDialog& dialog, int id) {
  // The error prompt's loop still hands the dialog what is posted to it: nothing may start a second
  // run inside the first or end the dialog under it.
  if (dialog.running) return TRUE;
  switch (id) {
    case IDOK:
      EndDialog(window, 1);
      break;
    case IDCANCEL:
      EndDialog(window, 2);
      break;
    case IDC_BROWSE:
      Browse(window, dialog);
      break;
    case IDC_MAIN_BUTTON:
      RunMainButton(window, dialog);
      break;
  }
  return TRUE;
}

INT_PTR CALLBACK InstallerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(window, *KeepDialogState<InstallerDialog>(window, lParam));
  InstallerDialog* dialog = DialogState<InstallerDialog>(window);
  if (!dialog) return FALSE;
  if (message == WM_COMMAND) return OnCommand(window, *dialog, LOWORD(wParam));
  return FALSE;
}

}  // namespace

INT_PTR RunInstallerDialog(HINSTANCE instance, HWND owner, const StartCommand& command) {
  const bool comEntered = SUCCEEDED(CoInitialize(nullptr));
  INT_PTR result;
  {
    InstallerDialog dialog;
    dialog.command = command;
    dialog.owner = owner;
    result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INSTALLER), owner, InstallerProcedure,
                             reinterpret_cast<LPARAM>(&dialog));
  }
  if (comEntered) CoUninitialize();
  return result;
}
