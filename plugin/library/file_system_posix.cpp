#include "file_system.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PathExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info;
    const bool directory =
        stat((folder + kPathSeparator + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({name, directory});
  }
  closedir(dir);
  return true;
}

bool RenameFolder(const std::string& from, const std::string& to) {
  // rename() would also replace an empty folder; the Windows rename never replaces anything.
  return !PathExists(to) && std::rename(from.c_str(), to.c_str()) == 0;
}

bool MakeFolder(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0;
}

bool RemoveEmptyFolder(const std::string& path) {
  return rmdir(path.c_str()) == 0;
}

void DeleteFileAt(const std::string& path) {
  unlink(path.c_str());
}

std::string SystemDirectory() {
  return ".";
}

std::string UserDataDirectory() {
  return std::string();
}

std::string SystemWow64Directory() {
  return std::string();
}

std::string LocalUserDataDirectory() {
  return std::string();
}
