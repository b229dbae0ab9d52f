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
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
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
