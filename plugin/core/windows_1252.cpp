#include "windows_1252.h"

#include "utf8_text.h"

namespace {

// The characters of the bytes 0x80 to 0x9F; 0xA0 to 0xFF are U+00A0 to U+00FF.
const char16_t kHighBytes[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighBytes[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Utf8FromWindows1252(const std::string& ansi) {
  std::u16string units;
  units.reserve(ansi.size());
  for (const char c : ansi) {
    const unsigned char byte = static_cast<unsigned char>(c);
    units += byte >= 0x80 && byte < 0xA0 ? kHighBytes[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return Utf16ToUtf8(units);
}

std::string Windows1252FromUtf8(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::string ansi;
  ansi.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    // A surrogate pair (always whole in Utf8ToUtf16's result) is one character the code page lacks.
    if (units[i] >= 0xD800 && units[i] <= 0xDBFF) {
      ansi += '?';
      ++i;
      continue;
    }
    ansi += ByteOf(units[i]);
  }
  return ansi;
}
