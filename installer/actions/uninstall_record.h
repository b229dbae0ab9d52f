// What an install leaves for the uninstall: the installation folder under
// HKEY_LOCAL_MACHINE\SOFTWARE\Quenrow\<Name>, and (made by the runner) Quenrow.exe and <Name>.ini
// in the system folder.
#pragma once

#include "install_script.h"

#include <string>

// Best effort: failures are not reported.
void WriteUninstallRecord(const std::string& name, const std::string& folder);
// False when there is no record (or it does not fit 255 characters).
bool ReadUninstallRecord(const std::string& name, std::string& folder);

// Stops the action list after this entry: the script is reopened for appending (nothing is
// written), so no further entry can be looked up.
int AditionUninstallDataAction(InstallScript& script, const ActionFields& fields);
