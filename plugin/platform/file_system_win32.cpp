#include "file_system.h"

#include <windows.h>
#include <shlobj.h>

bool MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

bool RenameFolder(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) != 0;
}

void DeleteFileAt(const std::string& path) {
  DeleteFileA(path.c_str());
}

bool RemoveLink(const std::string& path) {
  // Only a link opened as itself reports the reparse point through its handle; where it does not
  // (Wine, for links made from the Linux side), removing the path would remove the target folder.
  HANDLE link =
      CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (link == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool itself =
      GetFileInformationByHandle(link, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  CloseHandle(link);
  return itself && (RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str()));
}

// Opened without sharing, so no other process (here or through a share) opens it meanwhile; the
// system deletes it at the last close, also when the process dies holding it.
ExclusiveLock::ExclusiveLock(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

ExclusiveLock::~ExclusiveLock() {
  if (Held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void PauseBeforeRetry() {
  Sleep(50);
}

namespace {

// A folder the system names through a call of GetSystemDirectory's form; empty when it has none.
std::string SystemFolder(UINT(WINAPI* name)(LPSTR, UINT)) {
  char buffer[MAX_PATH + 1];
  const UINT length = name(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  return std::string(buffer, length);
}

std::string ShellFolder(int id) {
  char buffer[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, buffer))) return std::string();
  return buffer;
}

}  // namespace

std::string SystemDirectory() {
  return SystemFolder(GetSystemDirectoryA);
}

std::string UserDataDirectory() {
  return ShellFolder(CSIDL_APPDATA);
}

std::string SystemWow64Directory() {
  return SystemFolder(GetSystemWow64DirectoryA);  // none on 32-bit Windows
}

std::string LocalUserDataDirectory() {
  return ShellFolder(CSIDL_LOCAL_APPDATA);
}
