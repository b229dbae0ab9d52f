// Case without regard to language, over UTF-8 text, from the Unicode Character Database: the
// caseless key two spellings of one word share, and the simple case mappings of a character.
// Platform-neutral; the tables are made at build time from Debian's unicode-data.
#pragma once

#include <string>

// The key under which texts are equal when they match without regard to case: full case folding
// ("ß" and "SS" fold alike) between canonical decompositions, so "Zoë" typed with a combining
// diaeresis and "ZOË" precomposed share one. Text that is not well-formed UTF-8 is its own key
// (marked so that it never equals a well-formed text's), so no two different texts of that kind
// are ever taken for one.
std::string CaselessKey(const std::string& utf8);

// The simple (one character to one) upper- and lower-case mappings; other characters map to
// themselves.
char32_t UpperCaseOf(char32_t c);
char32_t LowerCaseOf(char32_t c);
