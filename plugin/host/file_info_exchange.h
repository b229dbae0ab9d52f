// The exchange of File Info with the host's active document: one get of the 'FlIn' property per
// read, one played 'setd' event per write. Every reference, descriptor and list made here is freed
// before the operation returns, on every path. Host codes come back widened to 32 bits; the first
// failing call ends a sequence. A suite the host refuses raises HostException (not caught here).
#pragma once

#include <string>

#include "file_info.h"
#include "host_interface.h"
#include "keyword_text.h"

// The values whole, as the document holds them or as they go to it and into the recorded step:
// the keyword text and the text fields by FileInfoField, and the keyword items one by
// one. A keyword list is written only when putKeywords is set.
struct FileInfoValues {
  std::string text[kFileInfoFieldCount];
  TextList keywords;
  bool putKeywords = false;
};

// The values of record: its strings, its keyword text taken apart, a list when the text is not
// empty.
FileInfoValues ValuesOf(const FileInfoRecord& record);

// Gets the given property of the target document. When the result holds it as an object, *object
// receives that object descriptor, which the caller frees; otherwise *object is null.
int32 GetTargetDocumentProperty(DescriptorKeyID key, PIActionDescriptor* object);

// Appends the document's keywords to record.keywords (emptied by the caller), each followed by
// "; ". Stops at the first failing item; the text ends before the first item that would not fit.
// document, when given, receives every item read and their keyword text, whole; its list is to be
// written back only when every item could be read.
int32 ReadKeywordText(FileInfoRecord& record, FileInfoValues* document = nullptr);

// Fills the text fields (every field but the keywords) from the document, then copies them into
// workingCopy (the dialog's). When the File Info object cannot be obtained, neither record nor
// workingCopy is touched. document, when given, receives them whole.
int32 ReadFileInfoFields(FileInfoRecord& record, FileInfoRecord& workingCopy,
                         FileInfoValues* document = nullptr);

// Writes every value to the document in one played 'setd', in the order of the fields' hostOrder;
// empty fields are written as empty strings.
int32 WriteFileInfo(const FileInfoValues& values);
