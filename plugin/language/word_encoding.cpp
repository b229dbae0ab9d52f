#include "word_encoding.h"

#include <cstring>

#include "plugin_text.h"
#include "word_encoding_platform.h"

namespace {

struct NamedCodePage {
  const char* name;
  unsigned codePage;
};

// The encodings the dictionaries' SET lines name, with their Windows code pages.
constexpr NamedCodePage kCodePages[] = {
    {"ISO8859-1", 28591},  {"ISO8859-2", 28592},  {"ISO8859-3", 28593},        {"ISO8859-4", 28594},
    {"ISO8859-5", 28595},  {"ISO8859-6", 28596},  {"ISO8859-7", 28597},        {"ISO8859-8", 28598},
    {"ISO8859-9", 28599},  {"ISO8859-10", 28600}, {"ISO8859-13", 28603},       {"ISO8859-14", 28604},
    {"ISO8859-15", 28605}, {"KOI8-R", 20866},     {"KOI8-U", 21866},           {"microsoft-cp1251", 1251},
    {"cp1251", 1251},      {"TIS620", 874},       {"ISCII-DEVANAGARI", 57002}, {"TIS620-2533", 874},
    {"ISO8859-11", 874},
};

constexpr unsigned kLatin1 = 28591;

// Hunspell's way of matching a name: ASCII letters without case, and only letters and digits.
std::string MatchedName(const char* name) {
  std::string out;
  for (; *name; ++name) {
    const char c = *name >= 'A' && *name <= 'Z' ? static_cast<char>(*name + 32) : *name;
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
  }
  return out;
}

// The Unicode builds match names as Hunspell does; the 32-bit build, as it always has, exactly
// but for case.
bool SameName(const char* a, const char* b) {
  if (kUtf8Text) return MatchedName(a) == MatchedName(b);
  for (; *a && *b; ++a, ++b) {
    const char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
    const char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

}  // namespace

WordEncoding::WordEncoding(const char* declared) {
  if (declared == nullptr) return;
  if (SameName(declared, "UTF-8")) {
    kind_ = kUtf8;
    return;
  }
  for (const NamedCodePage& entry : kCodePages) {
    if (SameName(declared, entry.name) && CanConvertCodePage(entry.codePage)) {
      kind_ = kCodePage;
      codePage_ = entry.codePage;
      return;
    }
  }
  // Hunspell reads a name it does not know as ISO 8859-1, and so do the Unicode builds.
  if (kUtf8Text && CanConvertCodePage(kLatin1)) {
    kind_ = kCodePage;
    codePage_ = kLatin1;
  }
}

bool WordEncoding::ToFile(const std::string& word, std::string& out) const {
  // The common case, UTF-8 on both sides, is the word itself.
  if (kind_ == kAsIs || (kind_ == kUtf8 && kUtf8Text)) {
    out = word;
    return true;
  }
  const std::u16string unicode = PluginTextToUnicode(word);
  if (kind_ == kUtf8) {
    out = Utf16ToUtf8(unicode);
    return true;
  }
  return UnicodeToCodePage(codePage_, unicode, out);
}

bool WordEncoding::FromFile(const std::string& text, std::string& out) const {
  if (kind_ == kAsIs || (kind_ == kUtf8 && kUtf8Text)) {
    out = text;
    return kind_ == kAsIs || IsUtf8(text);
  }
  const std::u16string unicode = kind_ == kUtf8 ? Utf8ToUtf16(text) : CodePageToUnicode(codePage_, text);
  const bool converted = UnicodeToPluginText(unicode, out);
  // The Unicode builds never offer a byte the file's encoding has no character for.
  if (kUtf8Text && unicode.find(u'\uFFFD') != std::u16string::npos) return false;
  return converted;
}
