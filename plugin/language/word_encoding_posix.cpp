#include "plugin_text.h"
#include "word_encoding_platform.h"

static_assert(kUtf8Text, "the native build keeps UTF-8");

namespace {

constexpr unsigned kLatin1 = 28591;

}  // namespace

std::u16string PluginTextToUnicode(const std::string& text) {
  return Utf8ToUtf16(text);
}

bool UnicodeToPluginText(const std::u16string& unicode, std::string& text) {
  text = Utf16ToUtf8(unicode);
  return true;
}

bool CanConvertCodePage(unsigned codePage) {
  return codePage == kLatin1;
}

std::u16string CodePageToUnicode(unsigned, const std::string& bytes) {
  std::u16string unicode;
  for (const char c : bytes) unicode += static_cast<char16_t>(static_cast<unsigned char>(c));
  return unicode;
}

bool UnicodeToCodePage(unsigned, const std::u16string& unicode, std::string& out) {
  std::string bytes;
  for (const char16_t c : unicode) {
    if (c > 0xFF) return false;
    bytes += static_cast<char>(c);
  }
  out = bytes;
  return true;
}
