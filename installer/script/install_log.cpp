#include "install_log.h"

#include "last_error.h"

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

  char clock[16] = "00:00:00";
  std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) std::strftime(clock, sizeof clock, "%H:%M:%S", local);

  const std::string path = LogFilePath();
  if (path.size() > kLogPathMax) return;
  if (std::FILE* file = std::fopen(path.c_str(), "a+")) {
    std::fprintf(file, "[%s] %s\n", clock, message);
    std::fclose(file);
  }
}
