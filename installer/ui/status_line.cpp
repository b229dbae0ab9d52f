#include "status_line.h"

std::string StatusLine(const char* text, const char* detail) {
  std::string line = text ? text : "";
  if (detail && *detail) line = line + ": " + detail;
  if (line.size() > kStatusLineMax) line.resize(kStatusLineMax);
  std::string shown;
  for (const char c : line) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return shown;
}
