// What a run hands the host for its actions: a descriptor with the six values under the plug-in's
// own keys ('KeWo', 'Titl', 'Phot', 'Desc', 'Copy', 'URLP', in that order), and the run history,
// the list of completed runs whose newest record is the one recorded.
#pragma once

#include <string>

#include "file_info.h"
#include "host_interface.h"

struct RunRecord {
  std::string values[kFileInfoFieldCount];  // by FileInfoField
  RunRecord* next = nullptr;
};

// Fills record from params->descriptor. Missing keys leave their fields as they were; without a
// descriptor nothing changes and 0 is returned. Returns the code of the last read ('URLP').
int32 ReadRecordedParameters(const PIActionParameters* params, FileInfoRecord& record);

// Appends a copy of the six values at the tail of the run history and returns it.
RunRecord* AppendRunRecord(const FileInfoRecord& record);

// Builds a descriptor from the newest run record and hands it to the host through params,
// freeing the descriptor it replaces. On any failure the host's descriptor stays as it was.
int32 RecordParameters(PIActionParameters* params);

// The oldest run record, or null before the first completed run.
const RunRecord* RunHistory();

// Frees the whole history (module unload).
void ClearRunHistory();
