// A File Info record made from its values in the record's order (kFileInfoFields), each cut to
// its field; fields not given stay empty.
#pragma once

#include <initializer_list>

#include "file_info.h"

inline FileInfoRecord RecordOf(std::initializer_list<const char*> values) {
  FileInfoRecord record;
  ClearFileInfo(record);
  int field = 0;
  for (const char* value : values) {
    if (field < kFileInfoFieldCount) SetFieldText(record, field++, value);
  }
  return record;
}
