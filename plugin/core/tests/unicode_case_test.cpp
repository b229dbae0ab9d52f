#include "unicode_case.h"

#include <gtest/gtest.h>

#include <iterator>

TEST(UnicodeCase, SpellingsOfOneWordShareTheirCaselessKey) {
  const char* same[][3] = {
      {"Zoë", "ZOË", "zoe\xCC\x88"},                  // precomposed and with a combining diaeresis
      {"Łódź", "ŁÓDŹ", "łódź"},                       // Polish
      {"straße", "STRASSE", "Strasse"},               // full folding: ß folds to "ss"
      {"Москва", "МОСКВА", "москва"},                 // Cyrillic
      {"ǅemal", "ǄEMAL", "ǆemal"},                    // title-case digraph
      {"ΌΣΟΣ", "όσος", "ο\xCC\x81σος"},               // final sigma; an accent apart
      {"a\u0301\u0323", "A\u0323\u0301", "ạ\u0301"},  // the marks' canonical order
      {"한국", "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB국", "한국"},  // Hangul syllable and its jamo
  };
  for (const auto& words : same) {
    EXPECT_EQ(CaselessKey(words[0]), CaselessKey(words[1])) << words[0] << " " << words[1];
    EXPECT_EQ(CaselessKey(words[0]), CaselessKey(words[2])) << words[0] << " " << words[2];
  }
}

TEST(UnicodeCase, DifferentWordsAndMalformedTextsStayApart) {
  const char* apart[][2] = {
      {"resume", "résumé"}, {"Zoe", "Zoë"},       {"i", "ı"},
      {"\xC3", "\xC4"},     {"\xFF", "\xC3\xBF"}, {"a\xC3", "A\xC3"},
  };
  for (const auto& pair : apart)
    EXPECT_NE(CaselessKey(pair[0]), CaselessKey(pair[1])) << pair[0] << " " << pair[1];
  EXPECT_EQ(CaselessKey(""), "");
}

TEST(UnicodeCase, SimpleMappingsChangeOnlyCasedLetters) {
  EXPECT_EQ(UpperCaseOf(U'ł'), U'Ł');
  EXPECT_EQ(LowerCaseOf(U'Ź'), U'ź');
  EXPECT_EQ(UpperCaseOf(U'ж'), U'Ж');
  EXPECT_EQ(UpperCaseOf(U'ß'), U'ß');  // "SS" is no single character
  EXPECT_EQ(LowerCaseOf(U'東'), U'東');
  EXPECT_EQ(UpperCaseOf(U'\U00010428'), U'\U00010400');  // beyond the basic plane
}

TEST(UnicodeCase, FullMappingsOfEveryScript) {
  struct Case {
    const char* text;
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"Łódź", "ŁÓDŹ", "łódź"},
      {"Straße", "STRASSE", "straße"},  // "ß" has no capital of its own
      {"Москва", "МОСКВА", "москва"},
      {"ΌΣΟΣ Σ", "ΌΣΟΣ Σ", "όσος σ"},  // the sigma at a word's end is the final one; alone it is not
      {"ﬁx ǅ", "FIX Ǆ", "ﬁx ǆ"},       // a ligature becomes two capitals; a title-case digraph
      {"İstanbul", "İSTANBUL", "i\u0307stanbul"},
      {"東京 2024", "東京 2024", "東京 2024"},
      {"a\xC3 b", "A\xC3 B", "a\xC3 b"},  // not UTF-8: only the ASCII letters change, no byte is lost
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpperCaseText(c.text), c.upper) << c.text;
    EXPECT_EQ(LowerCaseText(c.text), c.lower) << c.text;
  }
  // Turkish and Azerbaijani: the dotted and the dotless "i" keep their dot through either case.
  EXPECT_EQ(UpperCaseText("ılık iğne", CaseRules::kTurkic), "ILIK İĞNE");
  EXPECT_EQ(LowerCaseText("ILIK İĞNE I\u0307", CaseRules::kTurkic), "ılık iğne i");
}

TEST(UnicodeCase, CanonicalKeyJoinsOnlyCanonicallyEqualTexts) {
  EXPECT_EQ(CanonicalKey("Zoë"), CanonicalKey("Zoe\xCC\x88"));
  EXPECT_EQ(CanonicalKey("a\u0301\u0323"), CanonicalKey("ạ\u0301"));
  EXPECT_NE(CanonicalKey("Zoë"), CanonicalKey("ZOË"));  // case still counts
  EXPECT_NE(CanonicalKey("ﬁ"), CanonicalKey("fi"));     // a compatibility form is not the same text
  EXPECT_NE(CanonicalKey("\xC3"), CanonicalKey("\xC4"));
}

TEST(UnicodeCase, CompareWordsOrdersLettersThenAccentsThenCase) {
  const char* ordered[] = {"apple", "Arger", "arger", "Ärger", "résumé", "resumes", "zoë", "\xFF"};
  for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
    EXPECT_LT(CompareWords(ordered[i], ordered[i + 1]), 0) << ordered[i] << " " << ordered[i + 1];
    EXPECT_GT(CompareWords(ordered[i + 1], ordered[i]), 0) << ordered[i + 1] << " " << ordered[i];
  }
  EXPECT_EQ(CompareWords("Zoë", "Zoe\xCC\x88"), 1);  // equal only when the bytes are
}
