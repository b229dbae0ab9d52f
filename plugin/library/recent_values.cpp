#include "recent_values.h"

#include "text_lines.h"

std::string RecentKey(std::size_t index) {
  const int field = FieldOfRecentLine(static_cast<int>(index));
  return field < 0 ? std::string() : std::string(kFileInfoFields[field].name) + "=";
}

std::string CleanText(const std::string& value) {
  std::string clean;
  for (const char c : ReplaceLineBreaks(value, " ")) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) clean += c;
  }
  return clean;
}

std::string MergeRecentValue(const std::string& value, const std::string& entry) {
  std::string fresh = CleanText(value);
  TrimKeyword(fresh);
  if (fresh.empty()) return entry;
  TextList items;
  SplitKeywords(entry.c_str(), items, false, true);
  std::string merged = fresh;
  std::size_t kept = 1;
  for (const std::string& item : items) {
    if (item == fresh || kept == kRecentValueCount) continue;
    merged += "|" + item;
    ++kept;
  }
  return merged;
}

std::string FormatRecentText(const TextList& entries) {
  std::string text;
  for (std::size_t i = 0; i < kRecentFieldCount; ++i) {
    text += RecentKey(i);
    if (i < entries.size()) text += entries[i];
    text += "\n";
  }
  return text;
}

TextList ParseRecentText(const std::string& text) {
  TextList table;
  for (const std::string& line : SplitTextLines(text, 0)) {
    const std::size_t equals = line.find('=');
    table.push_back(equals == std::string::npos ? line : line.substr(equals + 1));
  }
  return table;
}
