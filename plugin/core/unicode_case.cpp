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

bool IsCased(char32_t c) {
  return UpperCaseOf(c) != c || LowerCaseOf(c) != c;
}

// Whether the capital sigma at text[at] ends a word: a cased letter before it and none after it,
// combining marks passed over.
bool IsFinalSigma(const std::u32string& text, std::size_t at) {
  std::size_t before = at;
  while (before > 0 && CombiningClass(text[before - 1]) != 0) --before;
  if (before == 0 || !IsCased(text[before - 1])) return false;
  std::size_t after = at + 1;
  while (after < text.size() && CombiningClass(text[after]) != 0) ++after;
  return after == text.size() || !IsCased(text[after]);
}

// A character's full mapping where it has one of several characters, its simple one otherwise.
template <std::size_t N, std::size_t M>
void AppendMapped(std::u32string& out, const UnicodeFolding (&full)[N], const UnicodePair (&simple)[M],
                  char32_t c) {
  if (const UnicodeFolding* row = Find(full, c)) {
    for (char32_t part : row->to)
      if (part) out += part;
    return;
  }
  out += Mapped(simple, c);
}

std::string AsciiCased(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Texts as letters without their accents: the decomposition less its combining marks.
std::u32string WithoutMarks(const std::u32string& decomposed) {
  std::u32string out;
  for (char32_t c : decomposed)
    if (CombiningClass(c) == 0) out += c;
  return out;
}

int Compared(const std::u32string& a, const std::u32string& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::string CanonicalKey(const std::string& utf8) {
  if (!IsUtf8(utf8)) return '\xFF' + utf8;
  return Utf8Of(Decomposed(Utf32Of(utf8)));
}

std::string UpperCaseText(const std::string& utf8, CaseRules rules) {
  if (!IsUtf8(utf8)) return AsciiCased(utf8, true);
  std::u32string out;
  for (char32_t c : Utf32Of(utf8)) {
    if (rules == CaseRules::kTurkic && c == U'i') {
      out += U'\u0130';
    } else {
      AppendMapped(out, kSpecialUpperCase, kUpperCase, c);
    }
  }
  return Utf8Of(out);
}

std::string LowerCaseText(const std::string& utf8, CaseRules rules) {
  if (!IsUtf8(utf8)) return AsciiCased(utf8, false);
  const std::u32string text = Utf32Of(utf8);
  std::u32string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (rules == CaseRules::kTurkic && (c == U'I' || c == U'\u0130')) {
      // "I" with a combining dot above is the dotted "i", as "İ" is; a bare "I" is the dotless "ı".
      const bool dotted = c == U'\u0130' || (i + 1 < text.size() && text[i + 1] == U'\u0307');
      out += dotted ? U'i' : U'\u0131';
      if (c == U'I' && dotted) ++i;
    } else if (c == U'\u03A3' && IsFinalSigma(text, i)) {
      out += U'\u03C2';
    } else {
      AppendMapped(out, kSpecialLowerCase, kLowerCase, c);
    }
  }
  return Utf8Of(out);
}

int CompareWords(const std::string& a, const std::string& b) {
  // A text that is not well-formed UTF-8 comes after those that are, ordered by its bytes.
  const bool utf8A = IsUtf8(a), utf8B = IsUtf8(b);
  if (utf8A != utf8B) return utf8A ? -1 : 1;
  if (utf8A) {
    const std::u32string keyA = Utf32Of(CaselessKey(a)), keyB = Utf32Of(CaselessKey(b));
    if (int letters = Compared(WithoutMarks(keyA), WithoutMarks(keyB))) return letters;
    if (int accents = Compared(keyA, keyB)) return accents;
  }
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

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
