// The operating-system services of the script runner: current directory, special folders, the
// last error and its text, the Abort/Retry/Ignore prompt and the uninstall record.
#pragma once

#include "install_script.h"

#include <windows.h>

class SystemServices : public ScriptServices {
 public:
  // The window the error prompt belongs to: disabled while the prompt is open.
  void SetPromptOwner(HWND owner) { promptOwner_ = owner; }

  std::string CurrentDirectory() override;
  std::string SpecialFolder(int folderId) override;
  unsigned long LastError() override;
  std::string ErrorText(unsigned long code) override;
  int AskAbortRetryIgnore(const std::string& text) override;
  bool ReadUninstallRecord(const std::string& name, std::string& folder) override;
  std::string PhotoshopPluginsFolder() override;
  std::string ProgramVersion() override;

 private:
  HWND promptOwner_ = nullptr;
};
