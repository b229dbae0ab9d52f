#include "file_actions.h"

#include "file_actions_win32.h"
#include "install_log.h"
#include "last_error.h"
#include "shared_files.h"
#include "system_text.h"

#include <windows.h>

#include <cstddef>

namespace {

bool IsOverwriteFlag(const std::string& flag) {
  return flag == "true" || flag == "True" || flag == "1" || flag == "TRUE";
}

bool Exists(const std::string& path) {
  LastErrorKeeper keep;
  return GetFileAttributesW(WideText(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The error of a copy that failed without saying why: whether the source fits the drive.
DWORD CopyFailureCode(const std::string& from, const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA source;
  ULARGE_INTEGER room;
  if (GetFileAttributesExW(WideText(from).c_str(), GetFileExInfoStandard, &source) &&
      GetDiskFreeSpaceExW(WideText(folder + "\\").c_str(), &room, nullptr, nullptr) &&
      ((static_cast<unsigned long long>(source.nFileSizeHigh) << 32) | source.nFileSizeLow) > room.QuadPart)
    return ERROR_DISK_FULL;
  return ERROR_WRITE_FAULT;
}

}  // namespace

int CopyFileAction(InstallScript& script, const ActionFields& fields) {
  const std::string source = fields[0];
  const std::string folder = fields[1];
  const std::string name = fields[2];
  const bool overwrite = IsOverwriteFlag(fields[3]);
  const bool shared = IsSharedMark(fields[4]);

  if (!CreateFolderPath(folder)) Log("Failed to create directory %s", folder.c_str());
  Log("Copy file: %s to %s\\%s", source.c_str(), folder.c_str(), name.c_str());
  script.ShowStatus("Copy File", source.c_str());

  const std::string to = folder + "\\" + name;
  const std::string from = script.StartFolder() + "\\" + source;
  if (to.size() > kCopyPathMax || from.size() > kCopyPathMax) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    Log("Failed to copy file: %s", source.c_str());
    return 0;
  }
  const bool wasThere = Exists(to);
  if (!overwrite && wasThere) {
    // Keeping an existing copy is what overwrite off asks for.
    if (shared) AddSharedUse(to, wasThere);
    SetLastError(ERROR_FILE_EXISTS);
    Log("Failed to copy file: %s", source.c_str());
    return 1;
  }
  if (shared && wasThere && IsNewerFile(to, from)) {
    // Another product put a newer copy there: it serves this one too.
    Log("Kept newer file: %s", to.c_str());
    AddSharedUse(to, wasThere);
    return 1;
  }

  // The copy is made beside the destination under a passing name of its own and then put in its
  // place: a copy that breaks off (a full drive) leaves no cut-off file under the real name, an
  // existing file is replaced only by a whole one, and no file of the user's is touched on the way.
  bool placing = false;
  if (CopyIntoPlace(from, to, overwrite, placing)) {
    if (shared) AddSharedUse(to, wasThere);
    return 1;
  }

  DWORD error = GetLastError();
  // Some systems fail a copy onto a full drive, or a move onto a file in use, without an error
  // code; the prompt would then call the failure a success.
  if (error == 0) error = placing ? ERROR_ACCESS_DENIED : CopyFailureCode(from, folder);
  Log("Failed to copy file: %s", source.c_str());
  SetLastError(error);
  const bool kept = !overwrite && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
  if (kept && shared) AddSharedUse(to, true);
  SetLastError(error);
  return kept ? 1 : 0;
}

int DeleteFileAction(InstallScript& script, const ActionFields& fields) {
  const std::string path = fields[0];
  const bool shared = IsSharedMark(fields[1]) && Exists(path);
  if (shared) {
    const unsigned long left = ReleaseSharedUse(path);
    if (left > 0) {
      Log("Kept shared file: %s (%lu)", path.c_str(), left);
      return 1;
    }
  }
  Log("Delete file: %s", path.c_str());
  script.ShowStatus("Deleted file", path.c_str());

  ReleaseLogFileFor(path);
  SetLastError(0);
  if (DeleteFileW(WideText(path).c_str())) return 1;
  // The last use of a shared file that is running (the uninstaller copy itself) goes at the next
  // start of Windows.
  if (shared && MoveFileExW(WideText(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    Log("Delete file at restart: %s", path.c_str());
    return 1;
  }
  Log("Failed to Delete file: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

int CreateDirectoryAction(InstallScript&, const ActionFields& fields) {
  return CreateFolderPath(fields[0]);
}

int CreateFolderPath(const std::string& path) {
  Log("CreateDirectory: %s", path.c_str());
  // A folder that is there already needs nothing created: every step below would meet it (a copy
  // asks for the same folder again and again).
  {
    LastErrorKeeper keep;
    const DWORD attributes = GetFileAttributesW(WideText(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 1;
  }
  // Split in UTF-16, where a backslash is always one: in a double-byte code page the second byte
  // of a character can be one.
  const std::wstring wide = WideText(path);
  // The part up to the first backslash (the drive) is taken as existing.
  const std::size_t first = wide.find(L'\\');
  if (first != std::wstring::npos) {
    for (std::size_t at = wide.find(L'\\', first + 1); at != std::wstring::npos;
         at = wide.find(L'\\', at + 1)) {
      if (!CreateDirectoryW(wide.substr(0, at + 1).c_str(), nullptr) &&
          GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;
    }
  }
  if (CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  Log("Failed to create dir: %s", path.c_str());
  return 0;
}

int DeleteDirectoryAction(InstallScript& script, const ActionFields& fields) {
  return DeleteFolderTree(script, fields[0]);
}

namespace {

// Whether the system opens path as the link it is rather than as its target: only a link opened
// as itself reports the reparse point through its handle.
bool OpensAsLink(const std::string& path) {
  LastErrorKeeper keep;
  HANDLE link = CreateFileW(WideText(path).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (link == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool itself =
      GetFileInformationByHandle(link, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  CloseHandle(link);
  return itself;
}

// attributes: what the caller already knows of path (INVALID_FILE_ATTRIBUTES when nothing).
int DeleteTree(InstallScript& script, const std::string& path, DWORD attributes) {
  if (path.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  Log("Deleted dir: %s", path.c_str());
  script.ShowStatus("Deleted dir", path.c_str());

  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = GetFileAttributesW(WideText(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    // A junction or symbolic link: remove the link, never what it points to. Where the system
    // cannot open the link itself, removing it would act on the target (an empty target folder
    // would go): the link stays and the failure is reported.
    if (OpensAsLink(path)) {
      ReleaseLogFileFor(path);
      if (RemoveDirectoryW(WideText(path).c_str()) || DeleteFileW(WideText(path).c_str())) return 1;
    } else {
      SetLastError(ERROR_NOT_SUPPORTED);
    }
    Log("failed to deleted dir: %s", path.c_str());
    return 0;
  }

  if (RemoveDirectoryW(WideText(path).c_str())) return 1;

  WIN32_FIND_DATAW found;
  const std::string pattern = path + "\\*.*";
  HANDLE search = FindFirstFileW(WideText(pattern).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = NarrowText(found.cFileName);
      if (name == "." || name == ".." || found.dwFileAttributes == INVALID_FILE_ATTRIBUTES) continue;
      const std::string full = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(script, full, found.dwFileAttributes);
      } else {
        Log("Delete File: %s", full.c_str());
        ReleaseLogFileFor(full);
        DeleteFileW(WideText(full).c_str());  // a file link reported as one goes as a link
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }

  if (RemoveDirectoryW(WideText(path).c_str())) return 1;
  Log("failed to deleted dir: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

}  // namespace

int DeleteFolderTree(InstallScript& script, const std::string& path) {
  return DeleteTree(script, path, INVALID_FILE_ATTRIBUTES);
}
