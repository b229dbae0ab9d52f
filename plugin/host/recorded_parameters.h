// What a run hands the host for its actions: a descriptor with the six values under the plug-in's
// own keys ('KeWo', 'Titl', 'Phot', 'Desc', 'Copy', 'URLP', in that order), and the run history,
// the list of completed runs whose newest record is the one recorded. Where the keyword text
// cannot carry the keyword items (an item holding "," or ";" or blanks at its ends, or a text too
// long for the char* routines' read), the items follow as a list under 'KeLs'; a replay prefers it.
#pragma once

#include <string>

#include "file_info.h"
#include "file_info_exchange.h"
#include "host_interface.h"
#include "keyword_text.h"

struct RunRecord {
  std::string values[kFileInfoFieldCount];  // by FileInfoField
  TextList keywords;                        // the items, when the keyword text cannot carry them
  bool keywordList = false;
  RunRecord* next = nullptr;
};

// Fills record from params->descriptor. Missing keys leave their fields as they were; without a
// descriptor nothing changes and 0 is returned. Returns the code of the last text read ('URLP').
// values, when given, receives what was recorded, whole (a missing key as empty), with the keyword
// items of the list or else of the keyword text.
int32 ReadRecordedParameters(const PIActionParameters* params, FileInfoRecord& record,
                             FileInfoValues* values = nullptr);

// Appends a copy of the six values at the tail of the run history and returns it.
RunRecord* AppendRunRecord(const FileInfoValues& values);

// Builds a descriptor from the newest run record and hands it to the host through params,
// freeing the descriptor it replaces. On any failure the host's descriptor stays as it was.
int32 RecordParameters(PIActionParameters* params);

// The oldest run record, or null before the first completed run.
const RunRecord* RunHistory();

// Frees the whole history (module unload).
void ClearRunHistory();
