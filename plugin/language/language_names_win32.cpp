#include "language_names.h"

#include <windows.h>

#include "system_text.h"

namespace {

// Asked by name: the module also loads where these calls are missing (they came with Vista).
using LocaleInfoEx = int(WINAPI*)(const wchar_t*, DWORD, wchar_t*, int);
using PreferredLanguages = BOOL(WINAPI*)(DWORD, ULONG*, wchar_t*, ULONG*);
constexpr DWORD kNativeDisplayName = 0x00000073;  // LOCALE_SNATIVEDISPLAYNAME
constexpr DWORD kLanguageName = 0x8;              // MUI_LANGUAGE_NAME

template <typename Call>
Call Kernel32Call(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel == nullptr ? nullptr
                           : reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

}  // namespace

std::string NativeLanguageName(const std::string& tag) {
  const auto info = Kernel32Call<LocaleInfoEx>("GetLocaleInfoEx");
  if (info == nullptr) return tag;
  std::string locale = tag;
  for (char& c : locale)
    if (c == '_') c = '-';
  wchar_t name[128];
  const int length = info(SystemText(locale).c_str(), kNativeDisplayName, name, 128);
  if (length <= 1) return tag;
  return PluginText(name, length - 1);
}

std::vector<std::string> DisplayLanguages() {
  std::vector<std::string> tags;
  const auto preferred = Kernel32Call<PreferredLanguages>("GetUserPreferredUILanguages");
  ULONG count = 0, size = 0;
  if (preferred == nullptr || !preferred(kLanguageName, &count, nullptr, &size) || size == 0) return tags;
  std::wstring buffer(size, L'\0');
  if (!preferred(kLanguageName, &count, &buffer[0], &size)) return tags;
  // A list of names, each ended by a NUL, the list by another.
  for (std::size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
    const std::size_t end = buffer.find(L'\0', at);
    tags.push_back(PluginText(buffer.c_str() + at, static_cast<int>(end - at)));
    at = end + 1;
  }
  return tags;
}
