#include "keyword_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TextList Split(const char* text, bool blank = false, bool bar = false) {
  TextList list;
  SplitKeywords(text, list, blank, bar);
  return list;
}

std::string Trimmed(std::string piece) {
  TrimKeyword(piece);
  return piece;
}

// Runs an in-place operation on a copy held in a keyword-text sized buffer.
template <typename Op>
std::string InBuffer(const char* text, Op op) {
  char buffer[kKeywordTextSize];
  CopyText(buffer, sizeof buffer, text);
  op(buffer, sizeof buffer);
  return buffer;
}

TEST(TrimKeyword, RemovesBlanksSemicolonsAndCommasFromBothEnds) {
  EXPECT_EQ(Trimmed("  ;a b,; "), "a b");
  EXPECT_EQ(Trimmed(",;, ,"), "");
  EXPECT_EQ(Trimmed(""), "");
  EXPECT_EQ(Trimmed("x"), "x");
  // Tabs and line breaks belong to the keyword.
  EXPECT_EQ(Trimmed("\tx\n"), "\tx\n");
  EXPECT_EQ(Trimmed(" \tx "), "\tx");
}

TEST(TrimKeyword, CharBufferFormMatchesStringForm) {
  for (const char* piece : {"  ;a b,; ", ",;, ,", "", "x", " \tx\r\n ", ";;;y"}) {
    char buffer[32];
    std::strcpy(buffer, piece);
    TrimKeyword(buffer);
    EXPECT_EQ(std::string(buffer), Trimmed(piece)) << piece;
  }
}

TEST(SplitKeywords, SplitsAtCommaSemicolonAndLineBreakAndDropsEmptyPieces) {
  EXPECT_EQ(Split("a, b;c"), (TextList{"a", "b", "c"}));
  EXPECT_EQ(Split("  ;a;; b , "), (TextList{"a", "b"}));
  EXPECT_EQ(Split("; ;"), TextList{});
  EXPECT_EQ(Split(""), TextList{});
  EXPECT_EQ(Split("two words; x"), (TextList{"two words", "x"}));
  // Enter in the keyword box separates as ";" does: no keyword holds a line break.
  EXPECT_EQ(Split("alpha\r\nCopyright=evil\r\nbeta; c"), (TextList{"alpha", "Copyright=evil", "beta", "c"}));
  EXPECT_EQ(Split("a\nb\r \r\n"), (TextList{"a", "b"}));
  EXPECT_EQ(Split("a\r\nb c", true), (TextList{"a", "b", "c"}));
  EXPECT_EQ(Split("a\r\nb|c", false, true), (TextList{"a\r\nb", "c"}));  // bar mode: only "|"
}

TEST(SplitKeywords, WideSeparatorsAndBlanksOfEveryScript) {
  // Full-width comma and semicolon, ideographic comma; ideographic and no-break spaces trimmed.
  EXPECT_EQ(Split("東京，大阪；京都、奈良"), (TextList{"東京", "大阪", "京都", "奈良"}));
  EXPECT_EQ(Split("\u3000富士山\u3000; \u00A0Zoë\u00A0 ,"), (TextList{"富士山", "Zoë"}));
  EXPECT_EQ(Split("a\u3000b\u00A0c"), (TextList{"a\u3000b\u00A0c"}));  // inside a keyword they stay
  EXPECT_EQ(Split("，；、\u3000"), TextList{});
  EXPECT_EQ(Trimmed("\u3000，x；\u00A0"), "x");
  EXPECT_EQ(CountKeywords("東京，大阪"), 2);
  // Characters that share bytes with them are no separators: "Œ" (C5 92), "ＬＯ" (EF BC AC, EF BC AF).
  EXPECT_EQ(Split("Œ，ＬＯ"), (TextList{"Œ", "ＬＯ"}));
}

TEST(SplitKeywords, BlankModeGivesSingleWords) {
  EXPECT_EQ(Split("two words;  three", true), (TextList{"two", "words", "three"}));
}

TEST(SplitKeywords, BarModeSeparatesOnlyAtBars) {
  EXPECT_EQ(Split("one|two, three| |", false, true), (TextList{"one", "two, three"}));
  EXPECT_EQ(Split("a b|c", true, true), (TextList{"a b", "c"}));
}

TEST(SplitKeywords, AppendsToTheCallersList) {
  TextList list{"kept"};
  SplitKeywords("a;b", list, false, false);
  EXPECT_EQ(list, (TextList{"kept", "a", "b"}));
}

TEST(SplitKeywords, KeepsBytesAboveAsciiInsideKeywords) {
  EXPECT_EQ(Split("Jos\xE9; \xA9 2005"), (TextList{"Jos\xE9", "\xA9 2005"}));
}

TEST(SortKeywords, SortsByPlainBytesAndKeepsDuplicates) {
  EXPECT_EQ(InBuffer("pear; Apple; apple; ", SortKeywords), "Apple; apple; pear; ");
  EXPECT_EQ(InBuffer("b, B,a,A", SortKeywords), "A; B; a; b; ");
  EXPECT_EQ(InBuffer("ab; a; a", SortKeywords), "a; a; ab; ");
  // Bytes above 0x7F sort after every ASCII letter (unsigned comparison).
  EXPECT_EQ(InBuffer("\xE9t\xE9; zoo; Zoo", SortKeywords), "Zoo; zoo; \xE9t\xE9; ");
  EXPECT_EQ(InBuffer("", SortKeywords), "");
  EXPECT_EQ(InBuffer(" ; ,", SortKeywords), "");
}

TEST(DeleteDuplicateKeywords, KeepsFirstOccurrencesComparingExactlyOrWithoutCase) {
  EXPECT_EQ(InBuffer("x; y; X; x; ", DeleteDuplicateKeywords), "x; y; X; ");
  // Canonically equal spellings are one keyword; case still counts.
  EXPECT_EQ(InBuffer("Zoë; zoe\xCC\x88; Zoe\xCC\x88; ZOË", DeleteDuplicateKeywords),
            "Zoë; zoe\xCC\x88; ZOË; ");
  EXPECT_EQ(InBuffer("b,a,b, a ,c", DeleteDuplicateKeywords), "b; a; c; ");
  EXPECT_EQ(InBuffer("a b; a; a b", DeleteDuplicateKeywords), "a b; a; ");
  EXPECT_EQ(InBuffer("Zoë; ZOË; x; zoe\xCC\x88; Straße; STRASSE; X", DeleteDuplicateKeywordsIgnoringCase),
            "Zoë; x; Straße; ");
}

TEST(CountKeywords, CountsNonEmptyPieces) {
  EXPECT_EQ(CountKeywords("a, b;; c;"), 3);
  EXPECT_EQ(CountKeywords(""), 0);
  EXPECT_EQ(CountKeywords("; ;"), 0);
  EXPECT_EQ(CountKeywords("one keyword"), 1);
  EXPECT_EQ(CountKeywords("a\r\nb\r\n"), 2);
}

TEST(SortKeywords, InAGivenOrderKeepsEqualKeywordsInPlace) {
  EXPECT_EQ(InBuffer("zoë; Ärger; apple; Zebra",
                     [](char* t, std::size_t n) { return SortKeywordsInOrder(t, n, CompareWords); }),
            "apple; Ärger; Zebra; zoë; ");
  const auto byLength = [](const std::string& a, const std::string& b) {
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
  };
  EXPECT_EQ(InBuffer("bb; a; cc; aa; b",
                     [&](char* t, std::size_t n) { return SortKeywordsInOrder(t, n, byLength); }),
            "a; b; bb; cc; aa; ");
}

TEST(CaseKeywords, FullMappingsAndTheKeywordTextsCapacity) {
  const auto upper = [](char* t, std::size_t n) { return UpperCaseKeywords(t, n, CaseRules::kDefault); };
  const auto lower = [](char* t, std::size_t n) { return LowerCaseKeywords(t, n, CaseRules::kDefault); };
  EXPECT_EQ(InBuffer("Łódź; Straße; Москва", upper), "ŁÓDŹ; STRASSE; МОСКВА");
  EXPECT_EQ(InBuffer("ŁÓDŹ; ΌΣΟΣ; МОСКВА", lower), "łódź; όσος; москва");

  // "ß" takes one character, "SS" two: a text at the capacity that would grow is left as it was.
  std::string full(kKeywordCapacity - 1, 'a');
  full += "ß";
  char buffer[kKeywordTextSize];
  CopyText(buffer, sizeof buffer, full.c_str());
  EXPECT_FALSE(UpperCaseKeywords(buffer, sizeof buffer, CaseRules::kDefault));
  EXPECT_EQ(buffer, full);
  EXPECT_TRUE(LowerCaseKeywords(buffer, sizeof buffer, CaseRules::kDefault));  // nothing grows
  EXPECT_EQ(buffer, full);
}

TEST(CaseKeywords, ChangesOnlyAsciiLetters) {
  char text[] = "Abc \xE9\xC9 z-Z 0;";
  UpperCaseKeywords(text);
  EXPECT_STREQ(text, "ABC \xE9\xC9 Z-Z 0;");
  LowerCaseKeywords(text);
  EXPECT_STREQ(text, "abc \xE9\xC9 z-z 0;");
}

// The produced form can be longer than the input; a full buffer must never be overrun
// and no keyword may be lost.
TEST(KeywordTextCapacity, RebuildThatWouldNotFitLeavesTextUnchanged) {
  std::string input;
  while (input.size() + 2 < kKeywordCapacity) input += "k,";
  input += "k";  // 9999 characters: 5000 one-letter keywords separated by bare commas
  ASSERT_EQ(input.size(), kKeywordCapacity);

  char buffer[kKeywordTextSize + 8];
  std::memset(buffer, '#', sizeof buffer);
  std::memcpy(buffer, input.c_str(), input.size() + 1);
  EXPECT_FALSE(SortKeywords(buffer, kKeywordTextSize));
  EXPECT_EQ(std::string(buffer), input);
  for (std::size_t i = kKeywordTextSize; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], '#');

  // Duplicates removed, the text shrinks and fits.
  EXPECT_TRUE(DeleteDuplicateKeywords(buffer, kKeywordTextSize));
  EXPECT_STREQ(buffer, "k; ");
}

TEST(KeywordTextCapacity, ExactFitIsAccepted) {
  // "ab; " four bytes each; capacity for exactly two plus the NUL.
  char buffer[9] = "b,a";
  EXPECT_TRUE(SortKeywords(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "a; b; ");
  char tight[7] = "b,a";
  EXPECT_TRUE(SortKeywords(tight, sizeof tight));  // "a; b; " is 6 + NUL
  char small[6] = "b,a";
  EXPECT_FALSE(SortKeywords(small, sizeof small));
  EXPECT_STREQ(small, "b,a");
}

TEST(CopyText, CutsToCapacityAndAlwaysTerminates) {
  char buffer[4];
  EXPECT_TRUE(CopyText(buffer, sizeof buffer, "abc"));
  EXPECT_STREQ(buffer, "abc");
  EXPECT_FALSE(CopyText(buffer, sizeof buffer, "abcdef"));
  EXPECT_STREQ(buffer, "abc");
  EXPECT_TRUE(CopyText(buffer, sizeof buffer, nullptr));
  EXPECT_STREQ(buffer, "");
}

}  // namespace
