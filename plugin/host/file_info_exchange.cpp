#include "file_info_exchange.h"

#include <cstring>
#include <new>
#include <string>

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

int32 ReadKeywordText(FileInfoRecord& record) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const PSActionListProcs& lists = ListProcs();
  PIActionDescriptor info = nullptr;
  int32 error = GetTargetDocumentProperty(kKeyFileInfo, &info);
  if (error || !info) return error;

  PIActionList list = nullptr;
  error = desc.GetList(info, HostKey(kKeywordsField), &list);
  if (!error && list) {
    uint32 count = 0;
    error = lists.GetCount(list, &count);
    std::size_t used = std::strlen(record.keywords);
    std::size_t characters = TextCharacters(record.keywords);
    const bool unicode = HostTextIsUnicode();
    for (uint32 index = 0; !error && unicode && index < count; ++index) {
      std::string item;
      error = GetListZText(list, index, item);
      // The same rule as below: whole items only, each with its "; ", within the characters the
      // keyword text holds and with room for the NUL.
      if (error || used + item.size() + 3 > kKeywordTextSize) break;
      if (item.empty()) continue;
      characters += TextCharacters(item) + 2;
      if (characters > kKeywordCapacity) break;
      item += "; ";
      item.copy(record.keywords + used, item.size());
      used += item.size();
      record.keywords[used] = '\0';
    }
    for (uint32 index = 0; !error && !unicode && index < count; ++index) {
      uint32 length = 0;
      error = lists.GetStringLength(list, index, &length);
      if (error) break;
      if (length == 0) continue;
      // The keyword and its "; " must fit with the NUL; a longer list is cut after the last whole item.
      // (A byte of the host's text is at most one character.)
      if (length > kKeywordCapacity || used + length + 2 > kKeywordCapacity) break;
      char* item = new (std::nothrow) char[length + 1];
      if (!item) continue;
      error = lists.GetString(list, index, item, length + 1);
      if (!error) {
        item[length] = '\0';
        const std::size_t itemLength = std::strlen(item);
        std::memcpy(record.keywords + used, item, itemLength);
        std::memcpy(record.keywords + used + itemLength, "; ", 3);
        used += itemLength + 2;
      }
      delete[] item;
    }
  }
  desc.Free(info);
  if (list) lists.Free(list);
  return error;
}

int32 ReadFileInfoFields(FileInfoRecord& record, FileInfoRecord& workingCopy) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  PIActionDescriptor info = nullptr;
  int32 error = GetTargetDocumentProperty(kKeyFileInfo, &info);
  if (error) return error;
  if (info) {
    // The text fields in the record's order (title to URL: the host sees this order). A missing
    // key leaves its field as it was; only the last code is reported.
    for (int field = kTitleField; field <= kUrlField; ++field) {
      const FileInfoFieldRow& row = kFileInfoFields[field];
      error = GetDescriptorText(info, HostKey(field), FieldText(record, field), row.size, row.hostMaximum);
    }
  }
  for (int field = kTitleField; field <= kUrlField; ++field)
    CopyText(FieldText(workingCopy, field), kFileInfoFields[field].size, FieldText(record, field));
  if (info) desc.Free(info);
  return error;
}

int32 WriteFileInfo(const char* keywords, const char* title, const char* photographer,
                    const char* description, const char* copyright, const char* url) {
  const PSActionReferenceProcs& ref = ReferenceProcs();
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  const PSActionListProcs& lists = ListProcs();
  const PSActionControlProcs& control = ControlProcs();
  // The keyword pieces are taken apart before the first host call, so that a failed allocation
  // (an exception) cannot strand a host object.
  TextList pieces;
  SplitKeywords(keywords, pieces, false, false);

  PIActionReference reference = nullptr;
  PIActionDescriptor event = nullptr, info = nullptr, result = nullptr;
  PIActionList list = nullptr;
  int32 error = ref.Make(&reference);
  if (!error) error = ref.PutProperty(reference, kClassProperty, kKeyFileInfo);
  if (!error) error = ref.PutEnumerated(reference, kClassDocument, kTypeOrdinal, kEnumTarget);
  if (!error) error = desc.Make(&event);
  if (!error) error = desc.PutReference(event, kKeyTarget, reference);
  if (!error) error = desc.Make(&info);
  // The host sees the fields in this order: description, keywords, photographer, title,
  // copyright notice, URL.
  if (!error) error = PutDescriptorText(info, HostKey(kDescriptionField), description);
  if (!error && keywords[0] != '\0') {
    error = lists.Make(&list);
    for (std::size_t i = 0; !error && i < pieces.size(); ++i) error = PutListText(list, pieces[i].c_str());
    if (!error) error = desc.PutList(info, HostKey(kKeywordsField), list);
  }
  if (!error) error = PutDescriptorText(info, HostKey(kPhotographerField), photographer);
  if (!error) error = PutDescriptorText(info, HostKey(kTitleField), title);
  if (!error) error = PutDescriptorText(info, HostKey(kCopyrightField), copyright);
  if (!error) error = PutDescriptorText(info, HostKey(kUrlField), url);
  if (!error) error = desc.PutObject(event, kKeyTo, kKeyFileInfo, info);
  if (!error) error = control.Play(&result, kEventSet, event, kPlugInDialogSilent);

  if (result) desc.Free(result);
  if (event) desc.Free(event);
  if (reference) ref.Free(reference);
  if (info) desc.Free(info);
  if (list) lists.Free(list);
  return error;
}
