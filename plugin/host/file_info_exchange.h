// The exchange of File Info with the host's active document: one get of the 'FlIn' property per
// read, one played 'setd' event per write. Every reference, descriptor and list made here is freed
// before the operation returns, on every path. Host codes come back widened to 32 bits; the first
// failing call ends a sequence. A suite the host refuses raises HostException (not caught here).
#pragma once

#include "file_info.h"
#include "host_interface.h"

// Gets the given property of the target document. When the result holds it as an object, *object
// receives that object descriptor, which the caller frees; otherwise *object is null.
int32 GetTargetDocumentProperty(DescriptorKeyID key, PIActionDescriptor* object);

// Appends the document's keywords to record.keywords (emptied by the caller), each followed by
// "; ". Stops at the first failing item and at the first item that would not fit the buffer.
int32 ReadKeywordText(FileInfoRecord& record);

// Fills title, photographer, description, copyright notice and URL from the document, then copies
// the five into workingCopy (the dialog's). When the File Info object cannot be obtained, neither
// record nor workingCopy is touched.
int32 ReadFileInfoFields(FileInfoRecord& record, FileInfoRecord& workingCopy);

// Writes all six values to the document in one played 'setd'. An empty keyword text puts no
// keyword list; empty fields are written as empty strings.
int32 WriteFileInfo(const char* keywords, const char* title, const char* photographer,
                    const char* description, const char* copyright, const char* url);
