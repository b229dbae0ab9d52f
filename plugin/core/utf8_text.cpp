#include "utf8_text.h"

#include <algorithm>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the character at text[at]; *length receives the bytes it takes (1 for a malformed
// byte, which decodes as U+FFFD).
char32_t DecodeAt(const std::string& text, std::size_t at, std::size_t* length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  *length = 1;
  if (lead < 0x80) return lead;
  std::size_t extra;
  char32_t c;
  char32_t least;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, c = lead & 0x07, least = 0x10000;
  } else {
    return kReplacement;
  }
  if (at + extra >= text.size()) return kReplacement;  // cut short by the end of the text
  for (std::size_t i = 1; i <= extra; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  *length = extra + 1;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t UnitsOf(char32_t c) {
  return c >= 0x10000 ? 2 : 1;
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0, length = 0; at < utf8.size(); at += length) {
    const char32_t c = DecodeAt(utf8, at, &length);
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

bool IsUtf8(const std::string& text) {
  for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
    if (DecodeAt(text, at, &length) == kReplacement && length == 1) return false;
  }
  return true;
}

std::size_t Utf8Prefix(const char* text, std::size_t length, std::size_t maxBytes) {
  if (length <= maxBytes) return length;
  // The cut falls before text[maxBytes]. A character that begins up to three bytes before and
  // reaches past it goes whole; stray continuation bytes (malformed text) are no character and
  // are cut where they stand.
  std::size_t lead = maxBytes;
  while (lead > 0 && maxBytes - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) --lead;
  if (lead == maxBytes) return maxBytes;
  const std::string piece(text + lead, std::min<std::size_t>(length - lead, 4));
  std::size_t used = 0;
  DecodeAt(piece, 0, &used);
  return used > 1 && lead + used > maxBytes ? lead : maxBytes;
}

std::size_t Utf16UnitsOf(const std::string& utf8, std::size_t bytes) {
  std::size_t units = 0;
  for (std::size_t at = 0, length = 0; at < bytes && at < utf8.size(); at += length) {
    units += UnitsOf(DecodeAt(utf8, at, &length));
  }
  return units;
}

std::size_t Utf8OffsetOf(const std::string& utf8, std::size_t units) {
  std::size_t at = 0;
  for (std::size_t length = 0; at < utf8.size(); at += length) {
    const std::size_t next = UnitsOf(DecodeAt(utf8, at, &length));
    if (next > units) break;
    units -= next;
  }
  return at;
}
