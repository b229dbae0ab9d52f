#include "code_page.h"

std::size_t FindCharacter(const std::string& text, char c, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (text[at] == c) return at;
    if (IsLeadByte(text[at]) && at + 1 < text.size()) ++at;  // its second byte is not a character
  }
  return std::string::npos;
}
