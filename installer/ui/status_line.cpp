#include "status_line.h"

#include "code_page.h"

namespace {

// Where a cut after kStatusLineMax characters falls, never inside one: the 64-bit builds count
// UTF-8 characters, the 32-bit build bytes of its code page, a double-byte character kept whole.
std::size_t CutAt(const std::string& line) {
  std::size_t at = 0;
  if (sizeof(void*) == 8) {
    for (std::size_t characters = 0; at < line.size(); ++at) {
      if ((line[at] & 0xC0) != 0x80 && characters++ == kStatusLineMax) break;
    }
    return at;
  }
  while (at < line.size()) {
    const std::size_t next = at + (IsLeadByte(line[at]) && at + 1 < line.size() ? 2 : 1);
    if (next > kStatusLineMax) break;
    at = next;
  }
  return at;
}

}  // namespace

std::string StatusLine(const char* text, const char* detail) {
  std::string line = text ? text : "";
  if (detail && *detail) line = line + ": " + detail;
  line.resize(CutAt(line));
  std::string shown;
  for (const char c : line) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return shown;
}
