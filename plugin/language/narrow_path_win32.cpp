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

NarrowPaths::NarrowPaths(const std::string& first, const std::string& second) {
  const std::wstring wideFirst = SystemText(first), wideSecond = SystemText(second);
  if (ToAnsi(wideFirst, first_) && ToAnsi(wideSecond, second_)) return;
  first_.clear();
  second_.clear();
  const std::size_t cut = wideFirst.find_last_of(L'\\');
  if (cut == std::wstring::npos || wideSecond.compare(0, cut + 1, wideFirst, 0, cut + 1) != 0) return;
  std::string firstName, secondName;
  if (!ToAnsi(wideFirst.substr(cut + 1), firstName) || !ToAnsi(wideSecond.substr(cut + 1), secondName))
    return;
  const DWORD units = GetCurrentDirectoryW(0, nullptr);
  if (units == 0) return;
  std::wstring previous(units, L'\0');
  previous.resize(GetCurrentDirectoryW(units, &previous[0]));
  if (previous.empty() || !SetCurrentDirectoryW(wideFirst.substr(0, cut + 1).c_str())) return;
  previous_ = previous;
  first_ = firstName;
  second_ = secondName;
}

NarrowPaths::~NarrowPaths() {
  if (!previous_.empty()) SetCurrentDirectoryW(previous_.c_str());
}
