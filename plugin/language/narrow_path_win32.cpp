#include "narrow_path.h"

#include <windows.h>

#include "system_text.h"

namespace {

// wide in the ANSI code page; false when a character has no form there.
bool ToAnsi(const std::wstring& wide, std::string& ansi) {
  BOOL replaced = FALSE;
  const int bytes =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &replaced);
  if (bytes <= 0) return false;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, &out[0], bytes, nullptr, &replaced);
  out.resize(out.size() - 1);
  ansi = out;
  return !replaced;
}

}  // namespace

std::string NarrowPath(const std::string& path) {
  const std::wstring wide = SystemText(path);
  std::string ansi;
  if (ToAnsi(wide, ansi)) return ansi;
  const DWORD units = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (units > 0) {
    std::wstring shortPath(units, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), &shortPath[0], units);
    shortPath.resize(written);
    std::string shortAnsi;
    if (written > 0 && written < units && ToAnsi(shortPath, shortAnsi)) return shortAnsi;
  }
  return ansi;  // cannot be opened by a narrow call: the library reads nothing from it
}
