// One install or uninstall over the installer's script: the sequence that the dialog and the
// unattended mode share.
#pragma once

#include "install_script.h"

#include <string>

class InstallSession {
 public:
  // An uninstall works with the script at scriptPath, an install with "Install.ini" of the current
  // directory.
  InstallSession(ScriptServices& services, bool uninstall, const std::string& scriptPath);

  // Reads the script; false when it cannot be read.
  bool Load(ProgressSink* sink);
  // Runs the script's list. An install goes into the script's own InstallationFolder when it has
  // one, else into folder, else into the script's DefaultInstFolder, and leaves the uninstall
  // record. False when the user aborted.
  bool Run(const std::string& folder);

  bool Uninstall() const { return uninstall_; }
  InstallScript& Script() { return script_; }

 private:
  bool uninstall_;
  std::string scriptPath_;
  InstallScript script_;
};
