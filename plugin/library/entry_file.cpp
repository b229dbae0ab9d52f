#include "entry_file.h"

#include "text_lines.h"

std::string FormatEntryText(const EntryMap& entries) {
  std::string text;
  for (const auto& [key, value] : entries) text += key + "=" + ReplaceLineBreaks(value, " ") + "\n";
  return text;
}

void ParseEntryText(const std::string& text, EntryMap& entries) {
  for (const std::string& line : SplitTextLines(text, 0)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      entries[line] = line;
    } else {
      entries[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
}

std::string EntryValue(const EntryMap& entries, const char* key) {
  const auto found = entries.find(key);
  return found == entries.end() ? std::string() : found->second;
}
