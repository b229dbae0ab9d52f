// The File Info record: the six values the plug-in exchanges with the document, in fixed buffers
// whose sizes (terminating NUL included) are part of the data model, and the one table that says,
// field by field, how each is keyed wherever it goes.
#pragma once

#include <cstddef>
#include <cstring>

#include "keyword_text.h"

// Each holds its capacity in characters (plugin_text.h): 255 or 999.
constexpr std::size_t kTitleSize = TextSize(255);
constexpr std::size_t kPhotographerSize = TextSize(255);
constexpr std::size_t kDescriptionSize = TextSize(999);
constexpr std::size_t kCopyrightSize = TextSize(999);
constexpr std::size_t kUrlSize = TextSize(255);

struct FileInfoRecord {
  char keywords[kKeywordTextSize];
  char title[kTitleSize];
  char photographer[kPhotographerSize];
  char description[kDescriptionSize];
  char copyright[kCopyrightSize];
  char url[kUrlSize];
};

// The fields in the record's order, which is also the order of the recorded step.
enum FileInfoField : int {
  kKeywordsField,
  kTitleField,
  kPhotographerField,
  kDescriptionField,
  kCopyrightField,
  kUrlField
};
constexpr int kFileInfoFieldCount = 6;

struct FileInfoFieldRow {
  const char* name;          // the key in templates and, with "=", in Recent.dat
  std::size_t offset, size;  // the record's member (size includes the NUL)
  const char* hostKey;       // the key in the host's File Info descriptor
  const char* recordedKey;   // the key in the recorded step
  unsigned hostMaximum;      // the most the host is asked to copy into the member, NUL included
  int recentLine;            // the field's line in Recent.dat (and its recent-values menu)
  int hostOrder;             // the field's place in the write to the document (the host sees it)
};

constexpr FileInfoFieldRow kFileInfoFields[kFileInfoFieldCount] = {
    {"Keywords", offsetof(FileInfoRecord, keywords), kKeywordTextSize, "Kywd", "KeWo", 10000, 3, 1},
    {"Title", offsetof(FileInfoRecord, title), kTitleSize, "ObjN", "Titl", 255, 0, 3},
    {"Photographer", offsetof(FileInfoRecord, photographer), kPhotographerSize, "Byln", "Phot", 255, 1, 2},
    {"Description", offsetof(FileInfoRecord, description), kDescriptionSize, "Cptn", "Desc", 1000, 2, 0},
    {"Copyright", offsetof(FileInfoRecord, copyright), kCopyrightSize, "CprN", "Copy", 1000, 4, 4},
    {"URL", offsetof(FileInfoRecord, url), kUrlSize, "URL ", "URLP", 255, 5, 5},
};

// Each order column names every field once: nothing is written, read or listed twice or skipped.
constexpr bool IsFieldOrder(int FileInfoFieldRow::*column) {
  for (int place = 0; place < kFileInfoFieldCount; ++place) {
    int found = 0;
    for (const FileInfoFieldRow& row : kFileInfoFields) found += row.*column == place;
    if (found != 1) return false;
  }
  return true;
}
static_assert(IsFieldOrder(&FileInfoFieldRow::recentLine) && IsFieldOrder(&FileInfoFieldRow::hostOrder),
              "recentLine and hostOrder are each an order of all the fields");

// The field's buffer in record (kFileInfoFields[field].size bytes).
inline char* FieldText(FileInfoRecord& record, int field) {
  return reinterpret_cast<char*>(&record) + kFileInfoFields[field].offset;
}
inline const char* FieldText(const FileInfoRecord& record, int field) {
  return reinterpret_cast<const char*>(&record) + kFileInfoFields[field].offset;
}

// The most characters the field holds: the limit of its edit control.
inline std::size_t FieldCapacity(int field) {
  return TextCapacity(kFileInfoFields[field].size);
}

// Sets the field to text, cut to the field's capacity (never inside a character).
inline void SetFieldText(FileInfoRecord& record, int field, const char* text) {
  const std::size_t length = CharacterPrefix(text, std::strlen(text), FieldCapacity(field));
  char* to = FieldText(record, field);
  std::memcpy(to, text, length);
  to[length] = '\0';
}

// The field shown on line line of Recent.dat.
inline int FieldOfRecentLine(int line) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    if (kFileInfoFields[field].recentLine == line) return field;
  }
  return -1;
}

// The field at place order of the write to the document.
inline int FieldOfHostOrder(int order) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    if (kFileInfoFields[field].hostOrder == order) return field;
  }
  return -1;
}

// Empties every field.
inline void ClearFileInfo(FileInfoRecord& record) {
  for (int field = 0; field < kFileInfoFieldCount; ++field) FieldText(record, field)[0] = '\0';
}

// Copies every field of from into to, each cut to fit.
inline void CopyFileInfo(FileInfoRecord& to, const FileInfoRecord& from) {
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    CopyText(FieldText(to, field), kFileInfoFields[field].size, FieldText(from, field));
}
