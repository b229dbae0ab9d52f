#include "file_actions.h"

#include "install_log.h"
#include "last_error.h"

#include <windows.h>

namespace {

bool IsOverwriteFlag(const std::string& flag) {
  return flag == "true" || flag == "True" || flag == "1" || flag == "TRUE";
}

bool Exists(const std::string& path) {
  LastErrorKeeper keep;
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int CopyFileAction(InstallScript& script, const std::string& args) {
  const std::string source = InstallScript::GetField(args, 0);
  const std::string folder = InstallScript::GetField(args, 1);
  const std::string name = InstallScript::GetField(args, 2);
  const bool overwrite = IsOverwriteFlag(InstallScript::GetField(args, 3));

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
  if (CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE)) return 1;

  const DWORD error = GetLastError();
  Log("Failed to copy file: %s", source.c_str());
  // Keeping an existing copy is what overwrite off asks for.
  return !overwrite && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? 1 : 0;
}

int DeleteFileAction(InstallScript& script, const std::string& args) {
  const std::string path = InstallScript::GetField(args, 0);
  Log("Delete file: %s", path.c_str());
  script.ShowStatus("Deleted file", path.c_str());

  SetLastError(0);
  if (DeleteFileA(path.c_str())) return 1;
  Log("Failed to Delete file: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

int CreateDirectoryAction(InstallScript&, const std::string& args) {
  return CreateFolderPath(InstallScript::GetField(args, 0));
}

int CreateFolderPath(const std::string& path) {
  Log("CreateDirectory: %s", path.c_str());
  // The part up to the first backslash (the drive) is taken as existing.
  const std::size_t first = path.find('\\');
  if (first != std::string::npos) {
    for (std::size_t at = path.find('\\', first + 1); at != std::string::npos; at = path.find('\\', at + 1)) {
      if (!CreateDirectoryA(path.substr(0, at + 1).c_str(), nullptr) &&
          GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;
    }
  }
  if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  Log("Failed to create dir: %s", path.c_str());
  return 0;
}

int DeleteDirectoryAction(InstallScript& script, const std::string& args) {
  return DeleteFolderTree(script, InstallScript::GetField(args, 0));
}

namespace {

// attributes: what the caller already knows of path (INVALID_FILE_ATTRIBUTES when nothing).
int DeleteTree(InstallScript& script, const std::string& path, DWORD attributes) {
  if (path.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  Log("Deleted dir: %s", path.c_str());
  script.ShowStatus("Deleted dir", path.c_str());

  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    // A junction or symbolic link: remove the link, never what it points to.
    if (RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str())) return 1;
  } else {
    if (RemoveDirectoryA(path.c_str())) return 1;

    WIN32_FIND_DATAA found;
    const std::string pattern = path + "\\*.*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || found.dwFileAttributes == INVALID_FILE_ATTRIBUTES) continue;
        const std::string full = path + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          DeleteTree(script, full, found.dwFileAttributes);
        } else {
          Log("Delete File: %s", full.c_str());
          DeleteFileA(full.c_str());  // a file link goes as a link
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
  }

  if (RemoveDirectoryA(path.c_str())) return 1;
  Log("failed to deleted dir: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

}  // namespace

int DeleteFolderTree(InstallScript& script, const std::string& path) {
  return DeleteTree(script, path, INVALID_FILE_ATTRIBUTES);
}
