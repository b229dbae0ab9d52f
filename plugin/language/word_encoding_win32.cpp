#include <windows.h>

#include "plugin_text.h"
#include "word_encoding_platform.h"

namespace {

const UINT kPluginCodePage = kUtf8Text ? CP_UTF8 : CP_ACP;

std::u16string ToUnicode(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return std::u16string();
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (units <= 0) return std::u16string();
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], units);
  return std::u16string(wide.begin(), wide.end());
}

// Converts; *lossless says whether every character had a form in the code page.
std::string FromUnicode(UINT codePage, const std::u16string& unicode, bool* lossless) {
  *lossless = true;
  if (unicode.empty()) return std::string();
  const std::wstring wide(unicode.begin(), unicode.end());
  const int units = static_cast<int>(wide.size());
  BOOL replaced = FALSE;
  // UTF-8 holds every character, and the system refuses the replacement flag for it.
  BOOL* usedDefault = codePage == CP_UTF8 ? nullptr : &replaced;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int bytes =
      WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, nullptr, usedDefault);
  if (bytes <= 0) {
    *lossless = false;
    return std::string();
  }
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), units, &out[0], bytes, nullptr, usedDefault);
  *lossless = !replaced;
  return out;
}

}  // namespace

std::u16string PluginTextToUnicode(const std::string& text) {
  return ToUnicode(kPluginCodePage, text);
}

bool UnicodeToPluginText(const std::u16string& unicode, std::string& text) {
  bool lossless = true;
  text = FromUnicode(kPluginCodePage, unicode, &lossless);
  return lossless;
}

bool CanConvertCodePage(unsigned codePage) {
  return IsValidCodePage(codePage) != 0;
}

std::u16string CodePageToUnicode(unsigned codePage, const std::string& bytes) {
  std::u16string unicode = ToUnicode(codePage, bytes);
  // The Unicode builds mark a text holding a byte the code page has no character for with U+FFFD
  // (WordEncoding drops it); the system would give a private-use character in its place.
  if (kUtf8Text && !bytes.empty() &&
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                          0) <= 0)
    unicode += u'\uFFFD';
  return unicode;
}

bool UnicodeToCodePage(unsigned codePage, const std::u16string& unicode, std::string& out) {
  bool lossless = true;
  std::string bytes = FromUnicode(codePage, unicode, &lossless);
  if (!lossless) return false;
  out = std::move(bytes);
  return true;
}
