#include "keyword_append.h"

#include <cstring>
#include <string>

#include "keyword_text.h"

bool AppendGroupKeywords(char* text, std::size_t capacity, const char* group) {
  if (text == nullptr || capacity == 0) return false;
  std::string result = std::string(text) + "; ";
  const std::string added = group == nullptr ? std::string() : std::string(group);
  if (FitsKeywordText(result + added, capacity)) {
    std::memcpy(text, (result + added).c_str(), result.size() + added.size() + 1);
    return true;
  }
  if (!FitsKeywordText(result, capacity)) return false;
  // The room left, in bytes of the group's text, for what the keyword text still holds.
  std::size_t whole =
      CharacterPrefix((result + added).c_str(), result.size() + added.size(), kKeywordCapacity);
  if (whole > capacity - 1) whole = capacity - 1;
  const std::size_t room = whole - result.size();
  std::size_t cut = added.find_last_of(",;", room == 0 ? 0 : room - 1);
  if (room == 0 || cut == std::string::npos) return false;
  result += added.substr(0, cut + 1);
  std::memcpy(text, result.c_str(), result.size() + 1);
  return false;
}

bool ReplaceTextSpan(char* text, std::size_t capacity, std::size_t start, std::size_t length,
                     const char* replacement) {
  if (text == nullptr) return false;
  const std::size_t size = std::strlen(text);
  if (start > size || length > size - start) return false;
  std::string result(text, start);
  result += replacement == nullptr ? "" : replacement;
  result.append(text + start + length);
  if (!FitsKeywordText(result, capacity)) return false;
  std::memcpy(text, result.c_str(), result.size() + 1);
  return true;
}
