// Recent.dat: any content is read without harm, confirming a value keeps the ten-value list in
// order, and the rewritten file holds the six lines the next run reads back (in the 64-bit builds
// as UTF-8, whatever the file held).
#include <algorithm>

#include "file_text.h"
#include "fuzz_support.h"
#include "keyword_library.h"
#include "plugin_text.h"
#include "recent_values.h"
#include "text_lines.h"
#include "utf8_text.h"

namespace {

TextList Items(const std::string& entry) {
  TextList items;
  SplitKeywords(entry.c_str(), items, false, true);
  return items;
}

void CheckMerge(const std::string& value, const std::string& entry) {
  const std::string merged = MergeRecentValue(value, entry);
  std::string fresh = CleanText(value);
  for (const char c : fresh) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  TrimKeyword(fresh);
  if (fresh.empty()) {
    FUZZ_CHECK(merged == entry);
    return;
  }
  FUZZ_CHECK(merged.compare(0, fresh.size(), fresh) == 0);
  // A value holding "|" reads back as several values: the checks on the list need one.
  if (fresh.find('|') != std::string::npos) return;

  const TextList items = Items(merged);
  FUZZ_CHECK(!items.empty() && items.size() <= kRecentValueCount);
  FUZZ_CHECK(items.front() == fresh);
  FUZZ_CHECK(std::count(items.begin(), items.end(), fresh) == 1);
  // The others are the older values in their order, the confirmed one taken out.
  TextList older;
  for (const std::string& item : Items(entry))
    if (item != fresh) older.push_back(item);
  older.resize(std::min(older.size(), kRecentValueCount - 1));
  FUZZ_CHECK(TextList(items.begin() + 1, items.end()) == older);
  // Confirming the same value again changes nothing.
  FUZZ_CHECK(MergeRecentValue(value, merged) == merged);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // First byte: length of the confirmed value; then the value; the rest is Recent.dat.
  if (size == 0) return 0;
  const std::size_t valueSize = std::min<std::size_t>(data[0], size - 1);
  const std::string value = InputCString(data + 1, valueSize);
  const std::string content = InputText(data + 1 + valueSize, size - 1 - valueSize);

  const TextList table = ParseRecentText(content);
  for (const std::string& entry : table) FUZZ_CHECK(entry.find('\n') == std::string::npos);

  for (std::size_t i = 0; i < kRecentFieldCount; ++i)
    CheckMerge(value, i < table.size() ? table[i] : std::string());

  // The library's round: read the file, confirm the value in all six fields, write, read again.
  // The library reads the file as the plug-in's text, and is given the value as such: in the
  // 64-bit builds well-formed UTF-8, so ANSI bytes are converted first.
  const std::string text = kUtf8Text && !IsUtf8(value) ? AnsiCodePageToUtf8(value) : value;
  const TextList stored = ParseRecentText(FileTextToPluginText(content));
  TextList merged;
  // A line break in the keywords is stored as a keyword separator.
  for (std::size_t i = 0; i < kRecentFieldCount; ++i) {
    const bool keywords = FieldOfRecentLine(static_cast<int>(i)) == kKeywordsField;
    merged.push_back(MergeRecentValue(keywords ? ReplaceLineBreaks(text, "; ") : text,
                                      i < stored.size() ? stored[i] : std::string()));
  }
  const std::string path = ScratchRoot() + "Recent.dat";
  FUZZ_CHECK(WriteWholeFile(path, content));
  KeywordLibrary library(ScratchRoot());
  FUZZ_CHECK(library.LoadRecent());
  FileInfoRecord record;  // the value fits every field: at most 255 characters
  ClearFileInfo(record);
  for (int field = 0; field < kFileInfoFieldCount; ++field) SetFieldText(record, field, text.c_str());
  FUZZ_CHECK(library.SaveRecent(record));
  const std::string written = ReadWholeFile(path);
  FUZZ_CHECK(written == FormatRecentText(merged));

  FUZZ_CHECK(library.LoadRecent());
  const TextList reread = ParseRecentText(written);
  FUZZ_CHECK(reread.size() == kRecentFieldCount);
  for (std::size_t i = 0; i < kRecentFieldCount; ++i) {
    FUZZ_CHECK(written.find(RecentKey(i)) != std::string::npos);
    TextList shown;
    FUZZ_CHECK(library.GetRecentValues(kRecentMenuBase + 1000 * static_cast<int>(i), shown));
    FUZZ_CHECK(shown == Items(reread[i]));
  }
  return 0;
}
