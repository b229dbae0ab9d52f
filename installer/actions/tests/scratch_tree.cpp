#include "scratch_tree.h"

#include "action_table.h"
#include "install_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <windows.h>

namespace {

std::string UnixPath(const std::string& path) {
  // Wine maps Windows paths to Unix ones and can start Unix programs.
  using ToUnix = char*(__cdecl*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return "";
  std::wstring wide(path.begin(), path.end());
  char* converted = toUnix(wide.c_str());
  std::string result = converted ? converted : "";
  if (converted) HeapFree(GetProcessHeap(), 0, converted);
  return result;
}

bool RunUnix(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  // Wine gives no waitable handle for a Unix process: callers poll for the result.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

ScratchTree::ScratchTree(const std::string& script) {
  char buffer[MAX_PATH];
  GetCurrentDirectoryA(sizeof buffer, buffer);
  previous_ = buffer;
  GetTempPathA(sizeof buffer, buffer);
  // Process ids repeat between runs: take the first name that is not there yet.
  for (int counter = 0;; ++counter) {
    root_ =
        std::string(buffer) + "inst_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter);
    if (CreateDirectoryA(root_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << root_;
      break;
    }
  }
  EXPECT_TRUE(SetCurrentDirectoryA(root_.c_str()));
  WriteFile("Install.ini", script);
  script_ = std::make_unique<InstallScript>(services, InstallerActions());
  EXPECT_EQ(script_->Load("", &sink), 1);
  EXPECT_EQ(script_->StartFolder(), root_);
}

ScratchTree::~ScratchTree() {
  script_.reset();
  SetCurrentDirectoryA(previous_.c_str());
  RemoveTree(root_);
}

void ScratchTree::WriteFile(const std::string& relative, const std::string& content) const {
  std::ofstream(Path(relative), std::ios::binary) << content;
}

void ScratchTree::MakeFolder(const std::string& relative) const {
  EXPECT_TRUE(CreateDirectoryA(Path(relative).c_str(), nullptr)) << relative;
}

std::string ScratchTree::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool ScratchTree::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ScratchTree::Entries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ScratchTree::LogMessages() const {
  std::vector<std::string> messages;
  std::istringstream log(ReadFile(LogFilePath()));
  std::string line;
  while (std::getline(log, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    messages.push_back(line.size() > 11 ? line.substr(11) : "<short line> " + line);
  }
  return messages;
}

void ScratchTree::ClearLog() const {
  ReleaseLogFileFor(LogFilePath());
  DeleteFileA(LogFilePath().c_str());
}

std::string UnusedDrive() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Q'; letter <= 'Y'; ++letter)
    if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":";
  return "";
}

void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") RemoveTree(path + "\\" + name);
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
  } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    if (!RemoveDirectoryA(path.c_str()) && !DeleteFileA(path.c_str())) RemoveUnixLink(path);
  } else {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}

bool MakeUnixLink(const std::string& target, const std::string& link) {
  const std::string from = UnixPath(target), to = UnixPath(link);
  if (from.empty() || to.empty() || !RunUnix("/bin/ln -s \"" + from + "\" \"" + to + "\"")) return false;
  for (int wait = 0; wait < 50 && !ScratchTree::Exists(link); ++wait) Sleep(100);
  return ScratchTree::Exists(link);
}

bool RemoveUnixLink(const std::string& link) {
  const std::string path = UnixPath(link);
  if (path.empty() || !RunUnix("/bin/rm -f \"" + path + "\"")) return false;
  for (int wait = 0; wait < 50 && ScratchTree::Exists(link); ++wait) Sleep(100);
  return !ScratchTree::Exists(link);
}
