#include "install_log.h"

#include "last_error.h"
#include "log_file.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string g_folder;

}  // namespace

void SetLogFolder(const std::string& folder) {
  g_folder = folder;
}

std::string LogFilePath() {
  return g_folder + kSeparator + "Install.log";
}

void Log(const char* format, ...) {
  LastErrorKeeper keep;

  char message[kLogMessageMax + 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);  // cuts long messages
  va_end(args);

  // The clock text changes once a second; lines come much faster.
  static std::time_t shown = -1;
  static char clock[16] = "00:00:00";
  const std::time_t now = std::time(nullptr);
  if (now != shown) {
    shown = now;
    if (const std::tm* local = std::localtime(&now)) std::strftime(clock, sizeof clock, "%H:%M:%S", local);
  }

  const std::string path = LogFilePath();
  if (path.size() > kLogPathMax) return;
  AppendLogLine(path, std::string("[") + clock + "] " + message + "\n");
}

void ReleaseLogFileFor(const std::string& path) {
  // Names are compared as the system compares them: without regard to case, either slash. A
  // relative path may name anything.
  auto fold = [](char c) {
    return c == '/' ? kSeparator : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  const std::string log = LogFilePath();
  const bool absolute =
      (path.size() >= 2 && path[1] == ':') || (!path.empty() && fold(path[0]) == kSeparator);
  if (absolute) {
    if (path.size() > log.size()) return;
    for (std::size_t i = 0; i < path.size(); ++i)
      if (fold(path[i]) != fold(log[i])) return;
    if (path.size() < log.size() && log[path.size()] != kSeparator && fold(path.back()) != kSeparator) return;
  }
  CloseLogFile();
}
