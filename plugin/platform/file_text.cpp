#include "file_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "plugin_text.h"
#include "utf8_text.h"
#include "windows_1252.h"

namespace {

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
  return Utf8FromWindows1252(ansi);
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
