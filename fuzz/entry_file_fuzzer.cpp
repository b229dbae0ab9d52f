// The template and group entry files: any content is read without harm, what the library hands
// out fits the fields (UTF-8 cut between characters), any content reads as well-formed UTF-8 (an
// ANSI line converted, a UTF-8 one unchanged), and written entries read back as they were.
#include <cstring>
#include <filesystem>
#include <memory>

#include "entry_file.h"
#include "file_text.h"
#include "fuzz_support.h"
#include "group_file.h"
#include "keyword_library.h"
#include "plugin_text.h"
#include "utf8_text.h"

namespace {

// The value as a field of capacity bytes shows it: cut at its first NUL and to the characters the
// field holds, UTF-8 between two characters.
std::string AsField(const std::string& value, std::size_t capacity) {
  const std::string text = value.substr(0, value.find('\0'));
  const std::size_t kept = CharacterPrefix(text.data(), text.size(), TextCapacity(capacity));
  FUZZ_CHECK(kept < capacity);
  return text.substr(0, kept);
}

// Written entries read back unchanged unless a key holds a line break (a value's CR or LF is
// written as a blank, so that it never starts a line of its own).
bool SurvivesWriting(const EntryMap& entries) {
  for (const auto& [key, value] : entries) {
    if (key.find('\n') != std::string::npos || value.find_first_of("\r\n") != std::string::npos) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = InputText(data, size);

  EntryMap entries;
  ParseEntryText(text, entries);
  for (const auto& [key, value] : entries) {
    FUZZ_CHECK(key.find('\n') == std::string::npos && value.find('\n') == std::string::npos);
    FUZZ_CHECK(key.find('=') == std::string::npos);
  }
  if (SurvivesWriting(entries)) {
    EntryMap again;
    ParseEntryText(FormatEntryText(entries), again);
    FUZZ_CHECK(again == entries);
  }

  // The content as the library reads it from a file.
  const std::string read = FileTextToPluginText(text);
  if (kUtf8Text) {
    FUZZ_CHECK(IsUtf8(read));
    if (IsUtf8(text) && text.compare(0, 3, "\xEF\xBB\xBF") != 0) FUZZ_CHECK(read == text);
  }
  EntryMap stored;
  ParseEntryText(read, stored);

  // The same content as files of the library: a template and a top-level group.
  static const bool folders = std::filesystem::create_directories(ScratchRoot() + "Templates") &&
                              std::filesystem::create_directories(ScratchRoot() + "Groups");
  FUZZ_CHECK(folders);
  const KeywordLibrary library(ScratchRoot());
  FUZZ_CHECK(WriteWholeFile(ScratchRoot() + "Templates/fuzz.tmp", text));
  FUZZ_CHECK(WriteWholeFile(ScratchRoot() + "Groups/fuzz.tmp", text));

  std::unique_ptr<FileInfoRecord> record(new FileInfoRecord);
  std::memset(record.get(), 'x', sizeof *record);
  FUZZ_CHECK(library.LoadTemplate("fuzz", *record));
  FUZZ_CHECK(record->keywords == AsField(EntryValue(stored, "Keywords"), sizeof record->keywords));
  FUZZ_CHECK(record->title == AsField(EntryValue(stored, "Title"), sizeof record->title));
  FUZZ_CHECK(record->photographer ==
             AsField(EntryValue(stored, "Photographer"), sizeof record->photographer));
  FUZZ_CHECK(record->description == AsField(EntryValue(stored, "Description"), sizeof record->description));
  FUZZ_CHECK(record->copyright == AsField(EntryValue(stored, "Copyright"), sizeof record->copyright));
  FUZZ_CHECK(record->url == AsField(EntryValue(stored, "URL"), sizeof record->url));

  // A group into a buffer whose size the input picks, exactly as large as it says.
  const std::size_t capacity = 1 + (size > 0 ? data[0] : 0);
  std::unique_ptr<char[]> keywords(new char[capacity]);
  FUZZ_CHECK(library.LoadGroup("", "fuzz", keywords.get(), capacity));
  // The 64-bit builds put each keyword's synonyms after it (group_file.h, tested on its own): what
  // is checked here is the cut to the buffer.
  const std::string group = kUtf8Text ? GroupTextWithSynonyms(stored) : EntryValue(stored, "Keywords");
  FUZZ_CHECK(keywords.get() == AsField(group, capacity));
  return 0;
}
