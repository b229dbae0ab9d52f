#include "file_info_exchange.h"

#include <cstring>
#include <string>
#include <utility>

#include "host_suites.h"
#include "host_text.h"
#include "keyword_text.h"

namespace {

DescriptorKeyID HostKey(int field) {
  return Code(kFileInfoFields[field].hostKey);
}

}  // namespace

int32 GetTargetDocumentProperty(DescriptorKeyID key, PIActionDescriptor* object) {
  // All suites first: a refused suite must not strand anything made before it.
  const PSActionReferenceProcs& ref = ReferenceProcs();
  const PSActionControlProcs& control = ControlProcs();
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  *object = nullptr;

  PIActionReference reference = nullptr;
  PIActionDescriptor result = nullptr;
  int32 error = ref.Make(&reference);
  if (!error) error = ref.PutProperty(reference, kClassProperty, key);
  if (!error) error = ref.PutEnumerated(reference, kClassDocument, kTypeOrdinal, kEnumTarget);
  if (!error) error = control.Get(&result, reference);
  Boolean hasKey = 0;
  if (!error) error = desc.HasKey(result, key, &hasKey);
  if (!error && hasKey) {
    DescriptorTypeID type = 0;
    error = desc.GetType(result, key, &type);
    if (!error && type == kTypeObject) {
      DescriptorClassID objectClass = 0;
      error = desc.GetObject(result, key, &objectClass, object);
    }
  }
  if (error && *object) {
    desc.Free(*object);
    *object = nullptr;
  }
  if (reference) ref.Free(reference);
  if (result) desc.Free(result);
  return error;
}

FileInfoValues ValuesOf(const FileInfoRecord& record) {
  FileInfoValues values;
  for (int field = 0; field < kFileInfoFieldCount; ++field) values.text[field] = FieldText(record, field);
  SplitKeywords(record.keywords, values.keywords, false, false);
  values.putKeywords = record.keywords[0] != '\0';
  return values;
}

int32 ReadKeywordText(FileInfoRecord& record, FileInfoValues* document) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const PSActionListProcs& lists = ListProcs();
  PIActionDescriptor info = nullptr;
  int32 error = GetTargetDocumentProperty(kKeyFileInfo, &info);
  if (error || !info) return error;

  PIActionList list = nullptr;
  const ScopeEnd freeAll([&] {
    desc.Free(info);
    if (list) lists.Free(list);
  });
  error = desc.GetList(info, HostKey(kKeywordsField), &list);
  if (error || !list) return error;
  uint32 count = 0;
  error = lists.GetCount(list, &count);
  std::size_t used = std::strlen(record.keywords);
  std::size_t characters = TextCharacters(record.keywords);
  bool fits = true, complete = !error;
  for (uint32 index = 0; !error && index < count; ++index) {
    std::string item;
    error = GetListText(list, index, item);
    if (error == kMemFullErr) {
      // No buffer for this one: only its keyword is lost, and the list is not whole.
      error = 0;
      complete = false;
      continue;
    }
    if (error) complete = false;
    if (error || item.empty()) continue;
    // Whole items only, each with its "; ", within the characters the keyword text holds and with
    // room for the NUL: a longer list is cut after the last whole item.
    fits = fits && used + item.size() + 3 <= kKeywordTextSize &&
           characters + TextCharacters(item) + 2 <= kKeywordCapacity;
    if (fits) {
      characters += TextCharacters(item) + 2;
      item += "; ";
      item.copy(record.keywords + used, item.size());
      used += item.size();
      record.keywords[used] = '\0';
      item.resize(item.size() - 2);
    }
    if (document) {
      document->keywords.push_back(std::move(item));
    } else if (!fits) {
      break;
    }
  }
  if (document) {
    document->text[kKeywordsField] = JoinKeywords(document->keywords);
    document->putKeywords = complete && !document->keywords.empty();
  }
  return error;
}

int32 ReadFileInfoFields(FileInfoRecord& record, FileInfoRecord& workingCopy, FileInfoValues* document) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  PIActionDescriptor info = nullptr;
  int32 error = GetTargetDocumentProperty(kKeyFileInfo, &info);
  if (error) return error;
  const ScopeEnd freeInfo([&] {
    if (info) desc.Free(info);
  });
  if (info) {
    // The text fields in the record's order (the host sees this order); the keywords come as a
    // list (ReadKeywordText). A missing key leaves its field as it was; only the last code is
    // reported.
    for (int field = 0; field < kFileInfoFieldCount; ++field) {
      if (field == kKeywordsField) continue;
      const FileInfoFieldRow& row = kFileInfoFields[field];
      error = GetDescriptorText(info, HostKey(field), FieldText(record, field), row.size, row.hostMaximum,
                                document ? &document->text[field] : nullptr);
    }
  }
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    if (field != kKeywordsField)
      CopyText(FieldText(workingCopy, field), kFileInfoFields[field].size, FieldText(record, field));
  return error;
}

int32 WriteFileInfo(const FileInfoValues& values) {
  const PSActionReferenceProcs& ref = ReferenceProcs();
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const PSActionListProcs& lists = ListProcs();
  const PSActionControlProcs& control = ControlProcs();
  PIActionReference reference = nullptr;
  PIActionDescriptor event = nullptr, info = nullptr, result = nullptr;
  PIActionList list = nullptr;
  const ScopeEnd freeAll([&] {
    if (result) desc.Free(result);
    if (event) desc.Free(event);
    if (reference) ref.Free(reference);
    if (info) desc.Free(info);
    if (list) lists.Free(list);
  });
  int32 error = ref.Make(&reference);
  if (!error) error = ref.PutProperty(reference, kClassProperty, kKeyFileInfo);
  if (!error) error = ref.PutEnumerated(reference, kClassDocument, kTypeOrdinal, kEnumTarget);
  if (!error) error = desc.Make(&event);
  if (!error) error = desc.PutReference(event, kKeyTarget, reference);
  if (!error) error = desc.Make(&info);
  // The host sees the fields in the table's write order; the keywords go as a list, and only when
  // the values carry one.
  for (int order = 0; !error && order < kFileInfoFieldCount; ++order) {
    const int field = FieldOfHostOrder(order);
    if (field != kKeywordsField) {
      error = PutDescriptorText(info, HostKey(field), values.text[field].c_str());
    } else if (values.putKeywords) {
      error = lists.Make(&list);
      for (std::size_t i = 0; !error && i < values.keywords.size(); ++i)
        error = PutListText(list, values.keywords[i].c_str());
      if (!error) error = desc.PutList(info, HostKey(kKeywordsField), list);
    }
  }
  if (!error) error = desc.PutObject(event, kKeyTo, kKeyFileInfo, info);
  if (!error) error = control.Play(&result, kEventSet, event, kPlugInDialogSilent);
  return error;
}
