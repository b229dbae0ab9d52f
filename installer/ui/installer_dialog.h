// The installer's one dialog: shows the script's texts, offers the installation folder, runs the
// install or uninstall on the main button and shows status, progress and the outcome.
#pragma once

#include "command_line.h"
#include "dialog_base.h"
#include "install_session.h"
#include "system_services.h"

#include <memory>
#include <string>

class InstallerDialog : public DialogBase, public ProgressSink {
 public:
  // The dialog runs on the thread that makes it: that thread is in a single-threaded COM apartment
  // from construction to destruction.
  InstallerDialog(HWND parent, const StartCommand& command);
  ~InstallerDialog() override;

  void ShowStatus(const char* text, const char* detail) override;
  void Step() override;
  void SetRange(int count) override;
  void ShowPending() override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM wParam, LPARAM);
  void Centre();
  void FillTexts();
  void ShowFolderControls(bool show);
  void EnableAutoComplete();
  void Browse();
  void RunMainButton();
  std::string ItemText(int id) const;
  bool FrameDue() const;

  bool uninstall_ = false;
  bool finished_ = false;
  bool running_ = false;  // inside the main button's run
  std::string chosenFolder_;
  HWND window_ = nullptr;
  HWND status_ = nullptr, bar_ = nullptr;  // the status line and the progress bar
  std::string welcomeText_;
  SystemServices services_;
  std::unique_ptr<InstallSession> session_;
  StartCommand command_;
  bool comEntered_ = false;
  std::string statusLine_;    // the status line's latest text
  std::string shownLine_;     // the text the line shows
  DWORD lastFrame_ = 0;       // when the run was last put on screen (GetTickCount)
  bool statusShown_ = false;  // the status line is on (it is hidden until the first status)
  int waitingSteps_ = 0;      // steps of the bar not yet made
};
