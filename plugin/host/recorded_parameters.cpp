#include "recorded_parameters.h"

#include <memory>
#include <utility>

#include "host_suites.h"
#include "host_text.h"

namespace {

RunRecord* gHead = nullptr;

// The history lives as long as the module.
struct HistoryOwner {
  ~HistoryOwner() { ClearRunHistory(); }
} gHistoryOwner;

// The key of the keyword items, beside the keyword text.
constexpr DescriptorKeyID kKeywordListKey = Code("KeLs");

DescriptorKeyID RecordedKey(int field) {
  return Code(kFileInfoFields[field].recordedKey);
}

}  // namespace

int32 ReadRecordedParameters(const PIActionParameters* params, FileInfoRecord& record,
                             FileInfoValues* values) {
  if (!params || !params->descriptor) return 0;
  PIActionDescriptor recorded = params->descriptor;
  // Older recordings may lack keys; each read stands on its own, in the record's order.
  int32 error = 0;
  for (int field = 0; field < kFileInfoFieldCount; ++field) {
    const FileInfoFieldRow& row = kFileInfoFields[field];
    error = GetDescriptorText(recorded, RecordedKey(field), FieldText(record, field), row.size,
                              row.hostMaximum, values ? &values->text[field] : nullptr);
  }
  if (!values) return error;
  const std::string& keywordText = values->text[kKeywordsField];
  values->putKeywords = !keywordText.empty();
  // The items as recorded when the step holds them all; otherwise those of the keyword text.
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  Boolean hasList = 0;
  bool whole = !keywordText.empty() && !desc.HasKey(recorded, kKeywordListKey, &hasList) && hasList;
  TextList items;
  if (whole) {
    const PSActionListProcs& lists = ListProcs();
    PIActionList list = nullptr;
    const ScopeEnd freeList([&] {
      if (list) lists.Free(list);
    });
    uint32 count = 0;
    whole = !desc.GetList(recorded, kKeywordListKey, &list) && list && !lists.GetCount(list, &count);
    for (uint32 index = 0; whole && index < count; ++index) {
      std::string item;
      whole = !GetListText(list, index, item);
      items.push_back(std::move(item));
    }
  }
  if (whole) {
    // The text the list was recorded beside, whole even where the char* routines cut it.
    values->text[kKeywordsField] = JoinKeywords(items);
    values->keywords.swap(items);
  } else {
    SplitKeywords(keywordText.c_str(), values->keywords, false, false);
  }
  return error;
}

RunRecord* AppendRunRecord(const FileInfoValues& values) {
  // Owned here until it joins the history: a failed allocation while it is filled loses nothing.
  std::unique_ptr<RunRecord> added(new RunRecord);
  for (int field = 0; field < kFileInfoFieldCount; ++field) added->values[field] = values.text[field];
  // The keyword text carries the items when a replay gets them back from it: the char* routines
  // read it up to the host's maximum, and take it apart at "," and ";", trimming blanks.
  const std::string& text = added->values[kKeywordsField];
  TextList split;
  SplitKeywords(text.c_str(), split, false, false);
  if (values.putKeywords &&
      (split != values.keywords || text.size() >= kFileInfoFields[kKeywordsField].hostMaximum)) {
    added->keywords = values.keywords;
    added->keywordList = true;
  }
  RunRecord** link = &gHead;
  while (*link) link = &(*link)->next;
  *link = added.release();
  return *link;
}

int32 RecordParameters(PIActionParameters* params) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const RunRecord* newest = gHead;
  if (!newest) return 0;
  while (newest->next) newest = newest->next;

  // The list suite only for a step with keyword items: a suite is asked for at its first use.
  const PSActionListProcs* lists = newest->keywordList ? &ListProcs() : nullptr;
  PIActionDescriptor recorded = nullptr;
  PIActionList list = nullptr;
  // Until the host owns it, the step is ours to free, on every path.
  const ScopeEnd freeAll([&] {
    if (list) lists->Free(list);
    if (recorded) desc.Free(recorded);
  });
  int32 error = desc.Make(&recorded);
  if (error) return error;
  // Every put is checked: a descriptor missing a value would later replay it as empty and clear
  // that field of the document.
  for (int field = 0; !error && field < kFileInfoFieldCount; ++field)
    error = PutDescriptorText(recorded, RecordedKey(field), newest->values[field].c_str());
  if (!error && newest->keywordList) {
    error = lists->Make(&list);
    for (std::size_t i = 0; !error && i < newest->keywords.size(); ++i)
      error = PutListText(list, newest->keywords[i].c_str());
    if (!error) error = desc.PutList(recorded, kKeywordListKey, list);
  }
  if (error || !params) return error;
  if (params->descriptor) desc.Free(params->descriptor);
  params->descriptor = recorded;  // the host owns it from here
  recorded = nullptr;
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
