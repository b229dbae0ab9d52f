#include "keyword_text.h"

#include "plugin_text.h"
#include "unicode_case.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

// The separators and blanks beyond ASCII, in the UTF-8 builds: the full-width comma and semicolon
// and the ideographic comma separate keywords as "," and ";" do; the ideographic and the no-break
// space are blanks.
constexpr const char* kWideSeparators[] = {"\xEF\xBC\x8C", "\xEF\xBC\x9B", "\xE3\x80\x81"};
constexpr const char* kWideBlanks[] = {"\xE3\x80\x80", "\xC2\xA0"};

// The bytes of the character of characters that text starts with; 0 for none. No byte of a UTF-8
// character of several bytes is ASCII or a lead byte, so a match at any byte is a character.
template <std::size_t N>
std::size_t OneOf(const char* text, const char* const (&characters)[N]) {
  if (!kUtf8Text || static_cast<unsigned char>(*text) < 0x80) return 0;
  for (const char* c : characters) {
    const std::size_t bytes = std::strlen(c);
    if (std::strncmp(text, c, bytes) == 0) return bytes;
  }
  return 0;
}

// The bytes of the character at c when it is trimmed from a piece's ends (a blank, ";" or "," of
// any width); 0 when it is not.
std::size_t TrimmedBytes(const char* c) {
  if (*c == ' ' || *c == ';' || *c == ',') return 1;
  if (std::size_t bytes = OneOf(c, kWideSeparators)) return bytes;
  return OneOf(c, kWideBlanks);
}

// The bytes of the separator at c; 0 when c is none.
std::size_t SeparatorBytes(const char* c, bool splitOnBlank, bool barMode) {
  if (barMode) return *c == '|' ? 1 : 0;
  if (*c == ',' || *c == ';' || *c == '\r' || *c == '\n' || (splitOnBlank && *c == ' ')) return 1;
  return OneOf(c, kWideSeparators);
}

void AppendPiece(const char* begin, const char* end, TextList& list) {
  std::string piece(begin, end);
  TrimKeyword(piece);
  if (!piece.empty()) list.push_back(std::move(piece));
}

// Stores the produced form of list into text, or leaves text alone when it would not fit.
bool StoreProduced(const TextList& list, char* text, std::size_t capacity) {
  const std::string produced = JoinKeywords(list);
  if (!FitsKeywordText(produced, capacity)) return false;
  std::memcpy(text, produced.c_str(), produced.size() + 1);
  return true;
}

// Where the trimmed piece starts and ends. The end is found stepping forward by character, so a
// trail byte is never taken for a trimmed character.
void TrimmedSpan(const char* piece, std::size_t& start, std::size_t& end) {
  start = 0;
  while (std::size_t bytes = TrimmedBytes(piece + start)) start += bytes;
  end = start;
  for (std::size_t at = start; piece[at] != '\0';) {
    std::size_t bytes = TrimmedBytes(piece + at);
    if (bytes == 0) {
      bytes = CharacterBytes(piece + at);
      end = at + bytes;
    }
    at += bytes;
  }
}

}  // namespace

void TrimKeyword(std::string& piece) {
  std::size_t start = 0, end = 0;
  TrimmedSpan(piece.c_str(), start, end);
  piece = piece.substr(start, end - start);
}

void TrimKeyword(char* piece) {
  if (piece == nullptr) return;
  std::size_t start = 0, end = 0;
  TrimmedSpan(piece, start, end);
  std::memmove(piece, piece + start, end - start);
  piece[end - start] = '\0';
}

void SplitKeywords(const char* text, TextList& list, bool splitOnBlank, bool barMode) {
  if (text == nullptr) return;
  const char* start = text;
  const char* p = text;
  while (*p != '\0') {
    if (const std::size_t bytes = SeparatorBytes(p, splitOnBlank, barMode)) {
      AppendPiece(start, p, list);
      p += bytes;
      start = p;
    } else {
      p += CharacterBytes(p);
    }
  }
  AppendPiece(start, p, list);
}

std::string JoinKeywords(const TextList& list) {
  std::string text;
  for (const std::string& keyword : list) {
    text += keyword;
    text += "; ";
  }
  return text;
}

bool SortKeywords(char* text, std::size_t capacity) {
  TextList keywords;
  SplitKeywords(text, keywords, false, false);
  // std::string compares as unsigned bytes, shorter first when one is a prefix of the other.
  std::sort(keywords.begin(), keywords.end());
  return StoreProduced(keywords, text, capacity);
}

bool SortKeywordsInOrder(char* text, std::size_t capacity, KeywordOrder order) {
  TextList keywords;
  SplitKeywords(text, keywords, false, false);
  std::stable_sort(keywords.begin(), keywords.end(),
                   [order](const std::string& a, const std::string& b) { return order(a, b) < 0; });
  return StoreProduced(keywords, text, capacity);
}

namespace {

// Keeps each keyword whose key was not seen before, in order.
bool KeepFirstByKey(char* text, std::size_t capacity, std::string (*key)(const std::string&)) {
  TextList keywords;
  SplitKeywords(text, keywords, false, false);
  TextList unique;
  std::set<std::string> seen;
  for (std::string& keyword : keywords) {
    if (seen.insert(key(keyword)).second) unique.push_back(std::move(keyword));
  }
  return StoreProduced(unique, text, capacity);
}

std::string Itself(const std::string& keyword) {
  return keyword;
}

}  // namespace

bool DeleteDuplicateKeywords(char* text, std::size_t capacity) {
  return KeepFirstByKey(text, capacity, kUtf8Text ? CanonicalKey : Itself);
}

bool DeleteDuplicateKeywordsIgnoringCase(char* text, std::size_t capacity) {
  return KeepFirstByKey(text, capacity, CaselessKey);
}

int CountKeywords(const char* text) {
  TextList keywords;
  SplitKeywords(text, keywords, false, false);
  return static_cast<int>(keywords.size());
}

void LowerCaseKeywords(char* text) {
  for (; text != nullptr && *text != '\0'; text += CharacterBytes(text)) {
    if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
  }
}

void UpperCaseKeywords(char* text) {
  for (; text != nullptr && *text != '\0'; text += CharacterBytes(text)) {
    if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
  }
}

namespace {

bool StoreCased(char* text, std::size_t capacity, const std::string& cased) {
  if (!FitsKeywordText(cased, capacity)) return false;
  std::memcpy(text, cased.c_str(), cased.size() + 1);
  return true;
}

}  // namespace

bool UpperCaseKeywords(char* text, std::size_t capacity, CaseRules rules) {
  if (text == nullptr) return true;
  if (!kUtf8Text) {
    UpperCaseKeywords(text);
    return true;
  }
  return StoreCased(text, capacity, UpperCaseText(text, rules));
}

bool LowerCaseKeywords(char* text, std::size_t capacity, CaseRules rules) {
  if (text == nullptr) return true;
  if (!kUtf8Text) {
    LowerCaseKeywords(text);
    return true;
  }
  return StoreCased(text, capacity, LowerCaseText(text, rules));
}

bool CopyText(char* dest, std::size_t capacity, const char* src) {
  if (capacity == 0) return false;
  const std::size_t length = src == nullptr ? 0 : std::strlen(src);
  const std::size_t kept = TextPrefix(src, length, capacity - 1);
  if (kept > 0) std::memcpy(dest, src, kept);
  dest[kept] = '\0';
  return kept == length;
}
