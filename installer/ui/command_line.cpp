#include "command_line.h"

bool IsUninstallCommand(const std::string& commandLine, std::string& scriptPath) {
  const std::size_t bar = commandLine.find('|');
  const std::string before = commandLine.substr(0, bar);
  const bool uninstall =
      (bar != std::string::npos && bar > 0 && before == "/uninstall") || before == "/Uninstall";
  if (uninstall) scriptPath = bar == std::string::npos ? commandLine : commandLine.substr(bar + 1);
  return uninstall;
}

std::string StatusLine(const char* text, const char* detail) {
  std::string line = text ? text : "";
  if (detail && *detail) line = line + ": " + detail;
  if (line.size() > kStatusLineMax) line.resize(kStatusLineMax);
  return line;
}
