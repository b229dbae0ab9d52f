#include "file_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "plugin_text.h"
#include "utf8_text.h"

namespace {

#ifndef _WIN32
// Code points of the bytes 0x80 to 0x9F in Windows-1252; the five bytes it leaves unassigned are
// the C1 controls of the same value, as Windows converts them.
const char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
#endif

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string AnsiCodePageToUtf8(const std::string& ansi) {
  if (ansi.empty()) return std::string();
#ifdef _WIN32
  const int size = static_cast<int>(ansi.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (units <= 0) return std::string();
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, &wide[0], units);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
#else
  std::u16string wide;
  wide.reserve(ansi.size());
  for (const char c : ansi) {
    const unsigned char byte = static_cast<unsigned char>(c);
    wide += byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return Utf16ToUtf8(wide);
#endif
}

std::string FileTextToPluginText(const std::string& bytes) {
  if (!kUtf8Text) return bytes;
  const std::size_t start = bytes.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  std::string text;
  text.reserve(bytes.size() - start);
  for (std::size_t at = start; at < bytes.size();) {
    const std::size_t feed = bytes.find('\n', at);
    const std::size_t end = feed == std::string::npos ? bytes.size() : feed + 1;
    const std::string line = bytes.substr(at, end - at);
    text += IsUtf8(line) ? line : AnsiCodePageToUtf8(line);
    at = end;
  }
  return text;
}
