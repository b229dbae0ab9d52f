// The File Info record: the six values the plug-in exchanges with the document, in fixed buffers
// whose sizes (terminating NUL included) are part of the data model.
#pragma once

#include <cstddef>

#include "keyword_text.h"

constexpr std::size_t kTitleSize = 256;
constexpr std::size_t kPhotographerSize = 256;
constexpr std::size_t kDescriptionSize = 1000;
constexpr std::size_t kCopyrightSize = 1000;
constexpr std::size_t kUrlSize = 256;

struct FileInfoRecord {
  char keywords[kKeywordTextSize];
  char title[kTitleSize];
  char photographer[kPhotographerSize];
  char description[kDescriptionSize];
  char copyright[kCopyrightSize];
  char url[kUrlSize];
};

// Empties all six strings.
inline void ClearFileInfo(FileInfoRecord& record) {
  record.keywords[0] = record.title[0] = record.photographer[0] = '\0';
  record.description[0] = record.copyright[0] = record.url[0] = '\0';
}
