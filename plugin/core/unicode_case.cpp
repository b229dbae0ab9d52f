#include "unicode_case.h"

#include <algorithm>
#include <iterator>

#include "utf8_text.h"

namespace {

struct UnicodeFolding {
  char32_t code;
  char32_t to[3];
};
struct UnicodeDecomposition {
  char32_t code;
  char32_t to[4];
};
struct UnicodePair {
  char32_t code;
  char32_t value;
};

#include "unicode_tables.inc"

template <typename Row, std::size_t N>
const Row* Find(const Row (&table)[N], char32_t c) {
  const Row* row = std::lower_bound(std::begin(table), std::end(table), c,
                                    [](const Row& r, char32_t code) { return r.code < code; });
  return row != std::end(table) && row->code == c ? row : nullptr;
}

template <std::size_t N>
char32_t Mapped(const UnicodePair (&table)[N], char32_t c) {
  const UnicodePair* row = Find(table, c);
  return row ? row->value : c;
}

int CombiningClass(char32_t c) {
  const UnicodePair* row = Find(kCombiningClasses, c);
  return row ? static_cast<int>(row->value) : 0;
}

// Hangul syllables decompose by arithmetic, not by table.
constexpr char32_t kHangulFirst = 0xAC00, kHangulCount = 11172, kJamoL = 0x1100, kJamoV = 0x1161,
                   kJamoT = 0x11A7, kTCount = 28, kNCount = 588;

void AppendDecomposed(std::u32string& out, char32_t c) {
  if (c >= kHangulFirst && c < kHangulFirst + kHangulCount) {
    char32_t index = c - kHangulFirst;
    out += kJamoL + index / kNCount;
    out += kJamoV + (index % kNCount) / kTCount;
    if (index % kTCount) out += kJamoT + index % kTCount;
    return;
  }
  if (const UnicodeDecomposition* row = Find(kDecompositions, c)) {
    for (char32_t part : row->to)
      if (part) out += part;
    return;
  }
  out += c;
}

// Canonical decomposition, then the canonical order of each run of combining marks.
std::u32string Decomposed(const std::u32string& text) {
  std::u32string out;
  for (char32_t c : text) AppendDecomposed(out, c);
  for (std::size_t i = 1; i < out.size(); ++i) {
    int cc = CombiningClass(out[i]);
    for (std::size_t j = i; cc && j > 0 && CombiningClass(out[j - 1]) > cc; --j)
      std::swap(out[j - 1], out[j]);
  }
  return out;
}

std::u32string Folded(const std::u32string& text) {
  std::u32string out;
  for (char32_t c : text) {
    if (const UnicodeFolding* row = Find(kCaseFolding, c)) {
      for (char32_t part : row->to)
        if (part) out += part;
    } else {
      out += c;
    }
  }
  return out;
}

std::u32string Utf32Of(const std::string& utf8) {
  std::u16string utf16 = Utf8ToUtf16(utf8);
  std::u32string out;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    out += c;
  }
  return out;
}

std::string Utf8Of(const std::u32string& text) {
  std::u16string utf16;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      utf16 += static_cast<char16_t>(c);
    }
  }
  return Utf16ToUtf8(utf16);
}

}  // namespace

std::string CaselessKey(const std::string& utf8) {
  if (!IsUtf8(utf8)) return '\xFF' + utf8;  // 0xFF never starts a well-formed text
  return Utf8Of(Decomposed(Folded(Decomposed(Utf32Of(utf8)))));
}

char32_t UpperCaseOf(char32_t c) {
  return Mapped(kUpperCase, c);
}
char32_t LowerCaseOf(char32_t c) {
  return Mapped(kLowerCase, c);
}
