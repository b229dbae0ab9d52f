// SavedWords.dat: any content reads as words that fit the reader's line buffer, no byte of the
// file is lost except line ends, and a written list reads back as it was.
#include "fuzz_support.h"
#include "saved_words.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = InputText(data, size);

  TextList words{"kept"};
  ParseSavedWords(text, words);
  FUZZ_CHECK(!words.empty() && words.front() == "kept");  // appended, never cleared
  words.erase(words.begin());

  std::string joined;
  for (const std::string& word : words) {
    FUZZ_CHECK(!word.empty() && word.size() <= TextSize(kSavedWordLength) - 1);
    FUZZ_CHECK(word.find('\n') == std::string::npos);
    joined += word;
  }
  // Only line feeds and the carriage returns right before them are dropped.
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    bytes += text[i];
  }
  FUZZ_CHECK(joined == bytes);

  // Writing and reading again: the same list, unless a word ends in a carriage return, which
  // then becomes part of its line end.
  bool plain = true;
  for (const std::string& word : words) plain = plain && word.back() != '\r';
  TextList again;
  ParseSavedWords(FormatSavedWords(words), again);
  if (plain) FUZZ_CHECK(again == words);
  return 0;
}
