#include "user_language.h"

#include <windows.h>

#include "utf8_text.h"

namespace {

// The calls by locale name came with Vista; the x64 module also runs where they are missing (XP
// x64), so they are looked up rather than imported.
using LocaleNameCall = int(WINAPI*)(LPWSTR name, int size);
using CompareCall = int(WINAPI*)(LPCWSTR locale, DWORD flags, LPCWSTR a, int lengthA, LPCWSTR b, int lengthB,
                                 void* version, void* reserved, LPARAM handle);
constexpr DWORD kLinguisticIgnoreCase = 0x00000010;  // LINGUISTIC_IGNORECASE
constexpr int kLocaleNameSize = 85;                  // LOCALE_NAME_MAX_LENGTH

template <typename Call>
Call Kernel32Call(const char* name) {
  return reinterpret_cast<Call>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// The user's locale name ("de-DE"); empty when the system cannot say.
std::wstring UserLocaleName() {
  const auto call = Kernel32Call<LocaleNameCall>("GetUserDefaultLocaleName");
  wchar_t name[kLocaleNameSize] = {};
  if (call == nullptr || call(name, kLocaleNameSize) == 0) return std::wstring();
  return name;
}

std::wstring Wide(const std::string& utf8) {
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace

CaseRules UserCaseRules() {
  const std::wstring locale = UserLocaleName();
  const std::wstring language = locale.substr(0, locale.find(L'-'));
  return language == L"tr" || language == L"az" ? CaseRules::kTurkic : CaseRules::kDefault;
}

int CompareInUserLanguage(const std::string& a, const std::string& b) {
  // Asked once: a sort compares many times.
  static const CompareCall compare = Kernel32Call<CompareCall>("CompareStringEx");
  static const std::wstring locale = UserLocaleName();
  if (compare == nullptr || locale.empty()) return CompareWords(a, b);
  const std::wstring wideA = Wide(a), wideB = Wide(b);
  const int order =
      compare(locale.c_str(), kLinguisticIgnoreCase, wideA.c_str(), static_cast<int>(wideA.size()),
              wideB.c_str(), static_cast<int>(wideB.size()), nullptr, nullptr, 0);
  if (order == 0) return CompareWords(a, b);  // a locale the system cannot compare in
  if (order != CSTR_EQUAL) return order == CSTR_LESS_THAN ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}
