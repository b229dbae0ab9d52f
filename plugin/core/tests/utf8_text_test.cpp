#include "utf8_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// "Łódź — 東京 😀": two-, three- and four-byte characters, the last one a surrogate pair in UTF-16.
const std::string kMixed =
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";

TEST(Utf8Text, ConvertsBothWaysWithoutLoss) {
  const std::u16string utf16 = Utf8ToUtf16(kMixed);
  EXPECT_EQ(utf16, u"\u0141\u00F3d\u017A \u2014 \u6771\u4EAC \U0001F600");
  EXPECT_EQ(Utf16ToUtf8(utf16), kMixed);
  EXPECT_TRUE(IsUtf8(kMixed));
  EXPECT_TRUE(IsUtf8(""));
}

TEST(Utf8Text, MalformedPiecesBecomeReplacementCharacters) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"a\x80"
       "b",
       u"a\uFFFDb"},                                      // stray continuation byte
      {"\xE6\x9D", u"\uFFFD\uFFFD"},                      // cut short by the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE9t\xE9", u"\uFFFDt\uFFFD"},                    // Windows-1252 "été"
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_FALSE(IsUtf8(c.utf8)) << c.utf8;
  }
  // Lone surrogates on the UTF-16 side.
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD83D) + u"b" + char16_t(0xDE00)),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST(Utf8Text, PrefixesAndOffsetsNeverSplitACharacter) {
  // Character starts in kMixed, by byte offset.
  std::vector<bool> starts(kMixed.size() + 1, false);
  for (std::size_t at = 0; at <= kMixed.size(); ++at) {
    starts[at] = at == kMixed.size() || (static_cast<unsigned char>(kMixed[at]) & 0xC0) != 0x80;
  }
  for (std::size_t max = 0; max <= kMixed.size() + 1; ++max) {
    const std::size_t cut = Utf8Prefix(kMixed.c_str(), kMixed.size(), max);
    EXPECT_LE(cut, max);
    EXPECT_TRUE(starts[cut]) << max;
    EXPECT_GT(cut + 4, max) << "cut more than one character at " << max;
  }
  // Stray continuation bytes are no character: cut where they stand, nothing before them lost.
  EXPECT_EQ(Utf8Prefix("ab\x81\x81\x81\x81", 6, 4), 4u);
  // Units and offsets agree with the UTF-16 form; a unit inside the surrogate pair falls back to
  // the character's start.
  const std::u16string utf16 = Utf8ToUtf16(kMixed);
  for (std::size_t units = 0; units <= utf16.size(); ++units) {
    const std::size_t offset = Utf8OffsetOf(kMixed, units);
    EXPECT_TRUE(starts[offset]) << units;
    const bool insidePair = units == utf16.size() - 1;
    EXPECT_EQ(Utf16UnitsOf(kMixed, offset), insidePair ? units - 1 : units) << units;
  }
}

}  // namespace
