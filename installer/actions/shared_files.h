// Files that more than one product installs at the same place (the dictionaries in the system
// folder's kwTemplates, the uninstaller copy), counted as Windows installers count them: one
// REG_DWORD per full path under HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs, in the
// 64-bit registry view, holding how many installs use the file.
#pragma once

#include <string>

// The script's mark of a shared file (a field of CopyFile and DeleteFile).
bool IsSharedMark(const std::string& field);

// After an install placed (or kept) the file: one use more. A file that was there before without
// a count starts at two, for the earlier install that did not count it.
bool AddSharedUse(const std::string& path, bool wasThere);

// Before an uninstall removes the file: one use less. Returns the uses left; at 0 the count is
// gone and the file is the uninstall's to delete. A file without a count counts as used once.
unsigned long ReleaseSharedUse(const std::string& path);

// The count as it stands; 0 when there is none.
unsigned long SharedUses(const std::string& path);

// Whether the file at installed is newer than the one at source: by the version resource where
// both have one, else by the last-write time. False when either cannot be read.
bool IsNewerFile(const std::string& installed, const std::string& source);
