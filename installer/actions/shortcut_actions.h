// Shortcut actions: .lnk files on the current user's desktop ("Desktop" or "DESKTOP") or in a
// program group of the Start menu (any other location).
#pragma once

#include "install_script.h"

#include <string>

// Fields: target, arguments, name, location, group, description, icon file, icon index. The icon
// index counts only for an icon file ending in "dll", "Dll" or "DLL". Fails when the shell folder
// is unknown or the link cannot be made or saved.
int CreateShortCutAction(InstallScript& script, const ActionFields& fields);

// Fields: not read, name, location, group. Never fails; a failed deletion is logged.
int DeleteShortCutAction(InstallScript& script, const ActionFields& fields);

// Field: group. Removes the program group folder with everything in it; never fails.
int DeleteMenuGroupAction(InstallScript& script, const ActionFields& fields);
