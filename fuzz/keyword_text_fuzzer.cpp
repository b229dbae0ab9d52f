// The keyword text operations on any text and any buffer size: no keyword is lost or invented,
// results fit their buffer, and the produced form reads back as the same list.
#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "fuzz_support.h"
#include "keyword_text.h"
#include "plugin_text.h"
#include "unicode_case.h"
#include "utf8_text.h"

namespace {

// A heap buffer of exactly capacity bytes holding text, so a write past its end is caught.
std::unique_ptr<char[]> Buffer(const std::string& text, std::size_t capacity) {
  std::unique_ptr<char[]> buffer(new char[capacity]);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  return buffer;
}

bool IsTrimmed(char c) {
  return c == ' ' || c == ';' || c == ',';
}

void CheckPieces(const TextList& list, bool splitOnBlank, bool barMode) {
  for (const std::string& piece : list) {
    FUZZ_CHECK(!piece.empty());
    FUZZ_CHECK(!IsTrimmed(piece.front()) && !IsTrimmed(piece.back()));
    if (barMode) {
      FUZZ_CHECK(piece.find('|') == std::string::npos);
    } else {
      FUZZ_CHECK(piece.find_first_of(",;") == std::string::npos);
      if (splitOnBlank) FUZZ_CHECK(piece.find(' ') == std::string::npos);
    }
  }
}

// Runs a rebuilding operation and checks it either stored the expected list or left text alone.
void CheckRebuild(bool (*operation)(char*, std::size_t), const std::string& text, std::size_t capacity,
                  const TextList& expected) {
  const std::string produced = JoinKeywords(expected);
  auto buffer = Buffer(text, capacity);
  const bool stored = operation(buffer.get(), capacity);
  FUZZ_CHECK(stored == (produced.size() + 1 <= capacity));
  FUZZ_CHECK(std::string(buffer.get()) == (stored ? produced : text));
  if (!stored) return;
  // Once in the produced form, doing it again changes nothing.
  FUZZ_CHECK(operation(buffer.get(), capacity));
  FUZZ_CHECK(std::string(buffer.get()) == produced);
}

std::string Mapped(std::string text, char from, char to) {
  for (char& c : text)
    if (c >= from && c <= static_cast<char>(from + 25)) c = static_cast<char>(c - from + to);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  std::string text = InputCString(data + 1, size - 1);

  // The real buffer size, or sizes around the text's length so that both the fitting and the
  // refusing paths are taken.
  std::size_t capacity;
  switch (flags & 3) {
    case 0:
      capacity = kKeywordTextSize;
      break;
    case 1:
      capacity = text.size() + 1;
      break;
    case 2:
      capacity = text.size() + 1 + (flags >> 2);
      break;
    default:
      capacity = text.size() * 2 + 1;
      break;
  }
  if (text.size() + 1 > capacity) text.resize(capacity - 1);

  // Splitting in every mode.
  for (int mode = 0; mode < 3; ++mode) {
    TextList list{"kept"};
    SplitKeywords(text.c_str(), list, mode == 1, mode == 2);
    FUZZ_CHECK(!list.empty() && list.front() == "kept");  // appended, never cleared
    list.erase(list.begin());
    CheckPieces(list, mode == 1, mode == 2);
  }

  TextList keywords;
  SplitKeywords(text.c_str(), keywords, false, false);
  FUZZ_CHECK(CountKeywords(text.c_str()) == static_cast<int>(keywords.size()));

  // The produced form reads back as the same list.
  TextList again;
  SplitKeywords(JoinKeywords(keywords).c_str(), again, false, false);
  FUZZ_CHECK(again == keywords);

  // Sorting keeps every keyword; removing duplicates keeps each first occurrence (canonically
  // equal spellings being one keyword).
  TextList sorted = keywords;
  std::sort(sorted.begin(), sorted.end());
  CheckRebuild(SortKeywords, text, capacity, sorted);
  TextList unique;
  std::set<std::string> seen;
  for (const std::string& keyword : keywords)
    if (seen.insert(CanonicalKey(keyword)).second) unique.push_back(keyword);
  CheckRebuild(DeleteDuplicateKeywords, text, capacity, unique);

  // Both trims agree, and trimming twice changes nothing.
  std::string trimmed = text;
  TrimKeyword(trimmed);
  auto piece = Buffer(text, text.size() + 1);
  TrimKeyword(piece.get());
  FUZZ_CHECK(trimmed == piece.get());
  std::string twice = trimmed;
  TrimKeyword(twice);
  FUZZ_CHECK(twice == trimmed);

  // Case changes touch the ASCII letters only.
  auto lower = Buffer(text, text.size() + 1);
  LowerCaseKeywords(lower.get());
  FUZZ_CHECK(std::string(lower.get()) == Mapped(text, 'A', 'a'));
  auto upper = Buffer(text, text.size() + 1);
  UpperCaseKeywords(upper.get());
  FUZZ_CHECK(std::string(upper.get()) == Mapped(text, 'a', 'A'));
  // ... and never change a well-formed text's caseless key, which is well-formed too.
  const std::string key = CaselessKey(text);
  FUZZ_CHECK(IsUtf8(key) == IsUtf8(text));
  if (IsUtf8(text)) FUZZ_CHECK(CaselessKey(upper.get()) == key && CaselessKey(lower.get()) == key);

  // The full case mappings are stored whole or not at all.
  for (const bool toUpper : {true, false}) {
    auto full = Buffer(text, capacity);
    const std::string mapped = toUpper ? UpperCaseText(text) : LowerCaseText(text);
    const bool stored = toUpper ? UpperCaseKeywords(full.get(), capacity, CaseRules::kDefault)
                                : LowerCaseKeywords(full.get(), capacity, CaseRules::kDefault);
    FUZZ_CHECK(stored == FitsKeywordText(mapped, capacity));
    FUZZ_CHECK(std::string(full.get()) == (stored ? mapped : text));
  }

  // Copying into a buffer of any size, zero included.
  const std::size_t destSize = flags >> 2;
  std::unique_ptr<char[]> dest(new char[destSize == 0 ? 1 : destSize]);
  dest[0] = 'x';
  const bool whole = CopyText(dest.get(), destSize, text.c_str());
  if (destSize == 0) {
    FUZZ_CHECK(!whole && dest[0] == 'x');
  } else {
    FUZZ_CHECK(whole == (text.size() < destSize));
    // A cut keeps what fits and never ends inside a character of the plug-in's text.
    const std::string kept = dest.get();
    FUZZ_CHECK(kept == text.substr(0, TextPrefix(text.c_str(), text.size(), destSize - 1)));
    FUZZ_CHECK(whole || kept.size() + 3 >= destSize - 1);
  }
  return 0;
}
