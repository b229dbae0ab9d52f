#include "system_text.h"

#include <windows.h>

#include <cwchar>

#include "plugin_text.h"

namespace {

const UINT kCodePage = kUtf8Text ? CP_UTF8 : CP_ACP;

// The ANSI text of the 32-bit build is stepped through by character (lead_bytes.h): the code
// page's lead bytes are known from the moment the module is loaded, before any text is handled.
// The UTF-8 builds need no table and leave it empty.
struct LeadBytesOfTheCodePage {
  LeadBytesOfTheCodePage() {
    CPINFO info = {};
    if (!kUtf8Text && GetCPInfo(CP_ACP, &info)) SetLeadByteRanges(info.LeadByte, MAX_LEADBYTES);
  }
} g_leadBytes;

// Whether narrow, converted back, gives the units of wide exactly.
bool RoundTrips(const std::string& narrow, const wchar_t* wide, std::size_t units) {
  const int size = static_cast<int>(narrow.size());
  const int back = size == 0 ? 0 : MultiByteToWideChar(kCodePage, 0, narrow.data(), size, nullptr, 0);
  if (static_cast<std::size_t>(back) != units) return false;
  std::wstring again(units, L'\0');
  if (back > 0) MultiByteToWideChar(kCodePage, 0, narrow.data(), size, &again[0], back);
  return again.compare(0, units, wide, units) == 0;
}

}  // namespace

std::wstring SystemText(const char* text) {
  const int units = MultiByteToWideChar(kCodePage, 0, text, -1, nullptr, 0);
  if (units <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(kCodePage, 0, text, -1, &wide[0], units);
  wide.resize(static_cast<std::size_t>(units - 1));
  return wide;
}

std::wstring SystemText(const std::string& text) {
  return SystemText(text.c_str());
}

std::string PluginText(const wchar_t* text, int length, bool* lossless) {
  BOOL replaced = FALSE;
  // UTF-8 holds every character; the system refuses the replacement flag for it.
  BOOL* usedDefault = kUtf8Text ? nullptr : &replaced;
  std::string narrow;
  const int bytes = WideCharToMultiByte(kCodePage, 0, text, length, nullptr, 0, nullptr, usedDefault);
  if (bytes > 0) {
    narrow.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(kCodePage, 0, text, length, &narrow[0], bytes, nullptr, usedDefault);
    // Up to the NUL, the system counts the NUL too.
    if (length < 0) narrow.resize(narrow.size() - 1);
  }
  // Beside the default character, the code page may put a look-alike in (a best fit: "L" for
  // "\u0141") and UTF-8 holds no lone surrogate: only the way back tells that nothing was replaced.
  if (lossless)
    *lossless = !replaced &&
                RoundTrips(narrow, text, length < 0 ? std::wcslen(text) : static_cast<std::size_t>(length));
  return narrow;
}
