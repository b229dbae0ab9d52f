#include "recorded_parameters.h"

#include "host_suites.h"
#include "host_text.h"

namespace {

RunRecord* gHead = nullptr;

// The history lives as long as the module.
struct HistoryOwner {
  ~HistoryOwner() { ClearRunHistory(); }
} gHistoryOwner;

DescriptorKeyID RecordedKey(int field) {
  return Code(kFileInfoFields[field].recordedKey);
}

}  // namespace

int32 ReadRecordedParameters(const PIActionParameters* params, FileInfoRecord& record) {
  if (!params || !params->descriptor) return 0;
  PIActionDescriptor recorded = params->descriptor;
  // Older recordings may lack keys; each read stands on its own, in the record's order.
  int32 error = 0;
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    const FileInfoFieldRow& row = kFileInfoFields[field];
    error =
        GetDescriptorText(recorded, RecordedKey(field), FieldText(record, field), row.size, row.hostMaximum);
  }
  return error;
}

RunRecord* AppendRunRecord(const FileInfoRecord& record) {
  RunRecord* added = new RunRecord;
  for (int field = 0; field < kFileInfoFieldCount; ++field) added->values[field] = FieldText(record, field);
  RunRecord** link = &gHead;
  while (*link) link = &(*link)->next;
  *link = added;
  return added;
}

int32 RecordParameters(PIActionParameters* params) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const RunRecord* newest = gHead;
  if (!newest) return 0;
  while (newest->next) newest = newest->next;

  PIActionDescriptor recorded = nullptr;
  int32 error = desc.Make(&recorded);
  if (error) return error;
  // Every put is checked: a descriptor missing a value would later replay it as empty and clear
  // that field of the document.
  for (int field = 0; !error && field < kFileInfoFieldCount; ++field)
    error = PutDescriptorText(recorded, RecordedKey(field), newest->values[field].c_str());
  if (error || !params) {
    desc.Free(recorded);
    return error;
  }
  if (params->descriptor) desc.Free(params->descriptor);
  params->descriptor = recorded;  // the host owns it from here
  params->recordInfo = kPlugInDialogOptional;
  return 0;
}

const RunRecord* RunHistory() {
  return gHead;
}

void ClearRunHistory() {
  while (gHead) {
    RunRecord* next = gHead->next;
    delete gHead;
    gHead = next;
  }
}
