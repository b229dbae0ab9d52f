// The keyword text: a keyword list kept as one single-byte string.
//
// Produced form: every keyword followed by "; ", the last one included ("alpha; beta; ").
// Accepted form: pieces separated by "," or ";" or a line break (CR or LF: the keyword box takes
// Enter), each trimmed of blanks, ";" and ","; empty pieces are dropped. Blanks inside a piece
// belong to the keyword. In the UTF-8 builds the full-width comma "，" and semicolon "；" and the
// ideographic comma "、" separate too, and the ideographic space and the no-break space are blanks.
//
// Platform-neutral: used by the host bridge, the dialogs, the library and the language services.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plugin_text.h"
#include "unicode_case.h"

// Ordered list of byte strings. Producers append and never clear the caller's list.
using TextList = std::vector<std::string>;

// The keyword text holds 9999 characters; its buffer's size in bytes, terminating NUL included.
constexpr std::size_t kKeywordCapacity = 9999;
constexpr std::size_t kKeywordTextSize = TextSize(kKeywordCapacity);

// Whether text fits a keyword text buffer of capacity bytes (NUL included) and within the
// characters the keyword text holds.
inline bool FitsKeywordText(const std::string& text, std::size_t capacity) {
  return text.size() < capacity && TextCharacters(text) <= kKeywordCapacity;
}

// Removes leading and trailing blanks (0x20), ";" and "," (and in the UTF-8 builds the wide
// separators and blanks) until a pass removes nothing.
void TrimKeyword(std::string& piece);
void TrimKeyword(char* piece);

// Appends the trimmed, non-empty pieces of text to list. In bar mode the only separator
// is "|"; otherwise "," and ";" (of any width) and the line breaks are, and the blank (0x20) too when
// splitOnBlank is set.
void SplitKeywords(const char* text, TextList& list, bool splitOnBlank, bool barMode);

// Builds the produced form of a list: "a; b; ".
std::string JoinKeywords(const TextList& list);

// Sorts the keywords by plain byte comparison and rebuilds text (capacity bytes, NUL included)
// in the produced form. The rebuilt text can be longer than the input ("a,b,c" becomes
// "a; b; c; "): when it would not fit, the text is left unchanged and false is returned,
// so no keyword is ever lost.
bool SortKeywords(char* text, std::size_t capacity);
// The same in the order given (negative when a comes before b); keywords the order takes as equal
// keep their order.
using KeywordOrder = int (*)(const std::string& a, const std::string& b);
bool SortKeywordsInOrder(char* text, std::size_t capacity, KeywordOrder order);

// Keeps each keyword at its first occurrence (exact, case-sensitive comparison; in the UTF-8 builds
// between canonical decompositions, so that a precomposed and a decomposed "Zoë" are one keyword)
// and rebuilds text in the produced form. Refuses and leaves text unchanged when the result would
// not fit.
bool DeleteDuplicateKeywords(char* text, std::size_t capacity);
// The same, two keywords being equal when their UTF-8 texts match without regard to case
// (CaselessKey): "Zoë; ZOË; zoë" keeps "Zoë".
bool DeleteDuplicateKeywordsIgnoringCase(char* text, std::size_t capacity);

// Number of pieces SplitKeywords yields with "," and ";" and the line breaks as separators.
int CountKeywords(const char* text);

// Change only the ASCII letters; bytes 0x80 and above stay as they are.
void LowerCaseKeywords(char* text);
void UpperCaseKeywords(char* text);
// The case tools: in the UTF-8 builds every letter's full case mapping under rules (unicode_case.h),
// in place in text (capacity bytes, NUL included); the result can be longer ("ß" gives "SS"), and
// when it would not fit the keyword text, text is left unchanged and false is returned. The ANSI
// build changes the ASCII letters, as above.
bool LowerCaseKeywords(char* text, std::size_t capacity, CaseRules rules);
bool UpperCaseKeywords(char* text, std::size_t capacity, CaseRules rules);

// Copies src into dest (capacity bytes, NUL included), cutting it when it does not fit (never
// inside a character).
// Returns false when it was cut. dest is always terminated when capacity > 0.
bool CopyText(char* dest, std::size_t capacity, const char* src);
