#include "saved_words.h"

#include "text_lines.h"

void ParseSavedWords(const std::string& text, TextList& words) {
  for (std::string& line : SplitTextLines(text, kSavedWordLength)) {
    if (!line.empty()) words.push_back(std::move(line));
  }
}

std::string FormatSavedWords(const TextList& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!word.empty()) text += word + "\n";
  }
  return text;
}
