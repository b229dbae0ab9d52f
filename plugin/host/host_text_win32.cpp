// The host's ANSI text through the system's own conversion with its active code page and no
// flags, as the host's char* routines have it.
#include <windows.h>

#include "host_text.h"
#include "utf8_text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide text is UTF-16");

std::string Utf8FromHostAnsi(const std::string& ansi) {
  if (ansi.empty()) return std::string();
  const int count = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), count, nullptr, 0);
  if (size <= 0) return std::string();
  std::u16string units(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), count, reinterpret_cast<wchar_t*>(&units[0]), size);
  return Utf16ToUtf8(units);
}

std::string HostAnsiFromUtf8(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  if (units.empty()) return std::string();
  const wchar_t* wide = reinterpret_cast<const wchar_t*>(units.data());
  const int count = static_cast<int>(units.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string(units.size(), '?');
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, &ansi[0], size, nullptr, nullptr);
  return ansi;
}
