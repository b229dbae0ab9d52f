#include "text_lines.h"

#include "plugin_text.h"

std::vector<std::string> SplitTextLines(const std::string& text, std::size_t maxLength) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool lineFeed = end != std::string::npos;
    if (!lineFeed) end = text.size();
    std::size_t length = end - start;
    if (lineFeed && length > 0 && text[end - 1] == '\r') --length;
    const std::size_t fits = maxLength > 0 ? CharacterPrefix(text.data() + start, length, maxLength) : length;
    if (fits < length) {
      // The fixed buffer fills up: this piece ends here and the next read goes on from its end,
      // so the line end itself is not consumed yet.
      // A piece never ends inside a character of the plug-in's text.
      std::size_t piece = fits;
      if (piece == 0) piece = maxLength < length ? maxLength : length;
      lines.push_back(text.substr(start, piece));
      start += piece;
      continue;
    }
    lines.push_back(text.substr(start, length));
    start = end + (lineFeed ? 1 : 0);
  }
  return lines;
}

std::string ReplaceLineBreaks(const std::string& text, const char* breakText) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      result += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    result += breakText;
  }
  return result;
}
