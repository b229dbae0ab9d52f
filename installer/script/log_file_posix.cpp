#include "log_file.h"

#include <cstdio>

namespace {

std::FILE* g_file = nullptr;
std::string g_path;

}  // namespace

bool AppendLogLine(const std::string& path, const std::string& line) {
  if (g_file && path != g_path) CloseLogFile();
  if (!g_file) {
    g_file = std::fopen(path.c_str(), "a");
    if (!g_file) return false;
    g_path = path;
  }
  const bool written = std::fwrite(line.data(), 1, line.size(), g_file) == line.size();
  return std::fflush(g_file) == 0 && written;
}

void CloseLogFile() {
  if (g_file) std::fclose(g_file);
  g_file = nullptr;
  g_path.clear();
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}
