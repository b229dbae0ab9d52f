#include "recorded_parameters.h"

#include "host_suites.h"

namespace {

constexpr DescriptorKeyID kKeyKeywords = Code("KeWo");
constexpr DescriptorKeyID kKeyTitle = Code("Titl");
constexpr DescriptorKeyID kKeyPhotographer = Code("Phot");
constexpr DescriptorKeyID kKeyDescription = Code("Desc");
constexpr DescriptorKeyID kKeyCopyright = Code("Copy");
constexpr DescriptorKeyID kKeyUrl = Code("URLP");

RunRecord* gHead = nullptr;

// The history lives as long as the module.
struct HistoryOwner {
  ~HistoryOwner() { ClearRunHistory(); }
} gHistoryOwner;

int32 GetField(const PSActionDescriptorProcs& desc, PIActionDescriptor descriptor, DescriptorKeyID key,
               char* field, std::size_t size, uint32 maxLength) {
  const int32 error = desc.GetString(descriptor, key, field, maxLength);
  field[size - 1] = '\0';
  return error;
}

char* HostText(const std::string& text) {
  return const_cast<char*>(text.c_str());
}

}  // namespace

int32 ReadRecordedParameters(const PIActionParameters* params, FileInfoRecord& record) {
  if (!params || !params->descriptor) return 0;
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  PIActionDescriptor recorded = params->descriptor;
  // Older recordings may lack keys; each read stands on its own.
  GetField(desc, recorded, kKeyKeywords, record.keywords, sizeof record.keywords, 10000);
  GetField(desc, recorded, kKeyTitle, record.title, sizeof record.title, 255);
  GetField(desc, recorded, kKeyPhotographer, record.photographer, sizeof record.photographer, 255);
  GetField(desc, recorded, kKeyDescription, record.description, sizeof record.description, 1000);
  GetField(desc, recorded, kKeyCopyright, record.copyright, sizeof record.copyright, 1000);
  return GetField(desc, recorded, kKeyUrl, record.url, sizeof record.url, 255);
}

RunRecord* AppendRunRecord(const FileInfoRecord& record) {
  RunRecord* added = new RunRecord{record.keywords,    record.title,     record.photographer,
                                   record.description, record.copyright, record.url};
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
  error = desc.PutString(recorded, kKeyKeywords, HostText(newest->keywords));
  if (!error) error = desc.PutString(recorded, kKeyTitle, HostText(newest->title));
  if (!error) error = desc.PutString(recorded, kKeyPhotographer, HostText(newest->photographer));
  if (!error) error = desc.PutString(recorded, kKeyDescription, HostText(newest->description));
  if (!error) error = desc.PutString(recorded, kKeyCopyright, HostText(newest->copyright));
  if (!error) error = desc.PutString(recorded, kKeyUrl, HostText(newest->url));
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
