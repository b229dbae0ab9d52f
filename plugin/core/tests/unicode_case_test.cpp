#include "unicode_case.h"

#include <gtest/gtest.h>

TEST(UnicodeCase, SpellingsOfOneWordShareTheirCaselessKey) {
  const char* same[][3] = {
      {"Zoë", "ZOË", "zoe\xCC\x88"},     // precomposed and with a combining diaeresis
      {"Łódź", "ŁÓDŹ", "łódź"},          // Polish
      {"straße", "STRASSE", "Strasse"},  // full folding: ß folds to "ss"
      {"Москва", "МОСКВА", "москва"},    // Cyrillic
      {"ǅemal", "ǄEMAL", "ǆemal"},       // title-case digraph
      {"ΌΣΟΣ", "όσος", "ο\xCC\x81σος"},  // final sigma; an accent apart
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
