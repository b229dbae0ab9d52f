#include "keyword_text.h"

#include "plugin_text.h"
#include "unicode_case.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

bool IsTrimmed(char c) {
  return c == ' ' || c == ';' || c == ',';
}

bool IsSeparator(char c, bool splitOnBlank, bool barMode) {
  if (barMode) return c == '|';
  return c == ',' || c == ';' || c == '\r' || c == '\n' || (splitOnBlank && c == ' ');
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
  while (IsTrimmed(piece[start])) ++start;
  end = start;
  for (std::size_t at = start; piece[at] != '\0';) {
    const std::size_t bytes = CharacterBytes(piece + at);
    if (!IsTrimmed(piece[at])) end = at + bytes;
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
  for (; *p != '\0'; p += CharacterBytes(p)) {
    if (IsSeparator(*p, splitOnBlank, barMode)) {
      AppendPiece(start, p, list);
      start = p + 1;
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
  return KeepFirstByKey(text, capacity, Itself);
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

bool CopyText(char* dest, std::size_t capacity, const char* src) {
  if (capacity == 0) return false;
  const std::size_t length = src == nullptr ? 0 : std::strlen(src);
  const std::size_t kept = TextPrefix(src, length, capacity - 1);
  if (kept > 0) std::memcpy(dest, src, kept);
  dest[kept] = '\0';
  return kept == length;
}
