// Case over UTF-8 text, from the Unicode Character Database: the caseless key two spellings of one
// word share, the key of canonically equivalent texts, the full case mappings of a text and the
// simple case mappings of a character.
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

// The key under which canonically equivalent texts are equal (the comparison of normalisation
// form C): "Zoë" precomposed and "Zoe" with a combining diaeresis share one; case still counts.
// Text that is not well-formed UTF-8 is its own key, as with CaselessKey.
std::string CanonicalKey(const std::string& utf8);

// The language rules that change a text's case: the default ones hold everywhere but in Turkish
// and Azerbaijani, where "i" and "I" are two letters with their own capitals ("i" and "İ",
// "ı" and "I").
enum class CaseRules { kDefault, kTurkic };

// The full case mappings of a text: one character can become several ("ß" gives "SS", "İ" gives
// "i" and a combining dot), and a Greek capital sigma at a word's end becomes the final "ς".
// Text that is not well-formed UTF-8 has only its ASCII letters changed, so no byte is lost.
std::string UpperCaseText(const std::string& utf8, CaseRules rules = CaseRules::kDefault);
std::string LowerCaseText(const std::string& utf8, CaseRules rules = CaseRules::kDefault);

// An order of words close to a dictionary's, for where no language's collation is at hand: letters
// without their accents first ("Ärger" beside "apple", not after "zoë"), then the accents, then
// case, then the bytes, so that only equal texts compare equal. Negative, 0 or positive.
int CompareWords(const std::string& a, const std::string& b);
