#include "install_session.h"

#include "action_table.h"
#include "uninstall_record.h"

InstallSession::InstallSession(ScriptServices& services, bool uninstall, const std::string& scriptPath)
    : uninstall_(uninstall), scriptPath_(scriptPath), script_(services, InstallerActions()) {}

bool InstallSession::Load(ProgressSink* sink) {
  return script_.Load(uninstall_ ? scriptPath_ : "", sink) != 0;
}

bool InstallSession::Run(const std::string& folder) {
  if (uninstall_) return script_.Run(false) != 0;
  if (script_.GetVariable("InstallationFolder").empty())
    script_.SetTextVariable("InstallationFolder",
                            folder.empty() ? script_.GetVariable("DefaultInstFolder") : folder);
  const bool done = script_.Run(true) != 0;
  WriteUninstallRecord(script_.GetVariable("Name"), script_.GetVariable("InstallationFolder"));
  return done;
}
