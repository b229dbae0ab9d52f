#include "file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool FlushToDisk(std::FILE* file) {
  return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool IsLinkAt(const std::string& path) {
  std::string name = path;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  struct stat info;
  return lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
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
    const std::string path = folder + kPathSeparator + name;
    const bool directory = stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    const bool link = lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    entries.push_back({name, directory, link});
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

bool RemoveLink(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && unlink(path.c_str()) == 0;
}

// The file stays: removing it while another process waits on it would let a third lock a new
// file beside the second's.
ExclusiveLock::ExclusiveLock(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return;
  }
  handle_ = fd;
}

ExclusiveLock::~ExclusiveLock() {
  if (Held()) close(static_cast<int>(handle_));
}

void PauseBeforeRetry() {
  usleep(50 * 1000);
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

bool LocalUserFilePath(const char*, const char*, char*, std::size_t) {
  return false;
}
