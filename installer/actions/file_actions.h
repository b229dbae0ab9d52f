// File and folder actions of the install script.
//
// Each action takes the argument text of its entry (references already expanded), logs what it
// does, shows a status line and returns 1 or 0; 0 makes the runner ask Abort/Retry/Ignore with
// the thread's last error as the action left it. Paths use backslashes; the source of a copy is
// relative to the start folder, other relative paths to the current directory.
#pragma once

#include "install_script.h"

#include <string>

// Fields: source, destination folder, name of the copy, overwrite ("true", "True", "1", "TRUE"),
// shared ("SHARED": see shared_files.h). Creates the destination folder first. A shared copy
// never replaces a newer file, and counts one use more when it is in place (or kept). An existing destination
// with overwrite off is left as it is and counts as success; any other failed copy fails and leaves the
// destination as it was (the copy is made under a new name of its own in the destination folder, no longer
// than the copy's name, and renamed when whole).
int CopyFileAction(InstallScript& script, const ActionFields& fields);

// Fields: path, shared ("SHARED"). A file that is already gone counts as deleted. A shared file
// counts one use less and is deleted only when no install uses it any longer.
int DeleteFileAction(InstallScript& script, const ActionFields& fields);

// Field: path. Creates every missing folder of the path; 1 when the folder exists afterwards.
int CreateDirectoryAction(InstallScript& script, const ActionFields& fields);

// Field: path. Removes the folder with everything in it; a link inside (or the path itself, when
// it is a link) is removed as a link, its target is left alone, and where the system cannot
// remove the link without acting on its target the link stays. 0 when the path is empty or the
// folder is still there afterwards.
int DeleteDirectoryAction(InstallScript& script, const ActionFields& fields);

// The same work for a whole path that is not split into fields (used by other actions).
int CreateFolderPath(const std::string& path);
int DeleteFolderTree(InstallScript& script, const std::string& path);

// Longest source or destination path of a copy.
constexpr std::size_t kCopyPathMax = 9999;
