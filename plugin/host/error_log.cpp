#include "error_log.h"

#include <cstdio>

void FormatErrorLine(const std::tm& localTime, int32 code, char (&line)[kErrorLineSize]) {
  char date[16], time[16];
  std::strftime(date, sizeof date, "%m/%d/%y", &localTime);
  std::strftime(time, sizeof time, "%H:%M:%S", &localTime);
  std::snprintf(line, sizeof line, "[%s %s] Error: %i\n", date, time, static_cast<int>(code));
}

void AppendLogText(const char* path, const char* text) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return;
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "[%m/%d/%y %H:%M:%S]", local);
  std::FILE* log = OpenLogFile(path);
  if (!log) return;
  std::fprintf(log, "%s %s\n", stamp, text);
  std::fclose(log);
}

void AppendErrorLog(const char* path, int32 code) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return;
  char line[kErrorLineSize];
  FormatErrorLine(*local, code, line);
  std::FILE* log = OpenLogFile(path);
  if (!log) return;
  std::fputs(line, log);
  std::fclose(log);
}
