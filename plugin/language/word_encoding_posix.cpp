#include <iconv.h>

#include <cerrno>

#include "plugin_text.h"
#include "word_encoding_platform.h"

static_assert(kUtf8Text, "the native build keeps UTF-8");

namespace {

// The code pages as the C library's converter names them.
const char* ConverterName(unsigned codePage) {
  switch (codePage) {
    case 28591:
      return "ISO-8859-1";
    case 28592:
      return "ISO-8859-2";
    case 28593:
      return "ISO-8859-3";
    case 28594:
      return "ISO-8859-4";
    case 28595:
      return "ISO-8859-5";
    case 28596:
      return "ISO-8859-6";
    case 28597:
      return "ISO-8859-7";
    case 28598:
      return "ISO-8859-8";
    case 28599:
      return "ISO-8859-9";
    case 28600:
      return "ISO-8859-10";
    case 28603:
      return "ISO-8859-13";
    case 28604:
      return "ISO-8859-14";
    case 28605:
      return "ISO-8859-15";
    case 20866:
      return "KOI8-R";
    case 21866:
      return "KOI8-U";
    case 1251:
      return "CP1251";
    case 874:
      return "TIS-620";
    default:
      return nullptr;
  }
}

// from's bytes in the encoding to; false when a character has no form there or the input is
// broken.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(in.size() * 4 + 4, '\0');
  char* source = const_cast<char*>(in.data());
  std::size_t left = in.size();
  char* target = &result[0];
  std::size_t room = result.size();
  const bool whole = iconv(converter, &source, &left, &target, &room) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  if (!whole) return false;
  result.resize(result.size() - room);
  out = result;
  return true;
}

}  // namespace

std::u16string PluginTextToUnicode(const std::string& text) {
  return Utf8ToUtf16(text);
}

bool UnicodeToPluginText(const std::u16string& unicode, std::string& text) {
  text = Utf16ToUtf8(unicode);
  return true;
}

bool CanConvertCodePage(unsigned codePage) {
  const char* name = ConverterName(codePage);
  if (name == nullptr) return false;
  iconv_t converter = iconv_open("UTF-8", name);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(converter);
  return true;
}

std::u16string CodePageToUnicode(unsigned codePage, const std::string& bytes) {
  std::string utf8;
  if (!Convert("UTF-8", ConverterName(codePage), bytes, utf8)) {
    // What does not convert shows as the replacement character, as the system's call does.
    utf8.clear();
    for (const char c : bytes) {
      std::string one;
      utf8 += Convert("UTF-8", ConverterName(codePage), std::string(1, c), one) ? one : "\xEF\xBF\xBD";
    }
  }
  return Utf8ToUtf16(utf8);
}

bool UnicodeToCodePage(unsigned codePage, const std::u16string& unicode, std::string& out) {
  return Convert(ConverterName(codePage), "UTF-8", Utf16ToUtf8(unicode), out);
}
