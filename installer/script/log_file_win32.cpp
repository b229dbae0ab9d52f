#include "log_file.h"

#include "system_text.h"

#include <windows.h>

namespace {

HANDLE g_file = INVALID_HANDLE_VALUE;
std::string g_path;

}  // namespace

bool AppendLogLine(const std::string& path, const std::string& line) {
  if (g_file != INVALID_HANDLE_VALUE && path != g_path) CloseLogFile();
  if (g_file == INVALID_HANDLE_VALUE) {
    // Appending only, shared with readers, writers and deleters alike; not inherited by the
    // programs a script starts.
    g_file = CreateFileW(WideText(path).c_str(), FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_file == INVALID_HANDLE_VALUE) return false;
    g_path = path;
  }
  // Text files end their lines in CR LF.
  std::string text;
  text.reserve(line.size() + 4);
  for (char c : line) {
    if (c == '\n') text += '\r';
    text += c;
  }
  DWORD written = 0;
  return WriteFile(g_file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

void CloseLogFile() {
  if (g_file != INVALID_HANDLE_VALUE) CloseHandle(g_file);
  g_file = INVALID_HANDLE_VALUE;
  g_path.clear();
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(WideText(path).c_str(), WideText(mode).c_str());
}
