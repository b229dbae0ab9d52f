// Host calls as the stand-in host logs them, for tests that check what the plug-in asks of it.
#pragma once

#include <string>
#include <vector>

// Reading the document's File Info object ('FlIn'), before its fields are taken out of it.
inline const std::vector<std::string> kGetFileInfoCalls = {"Reference.Make",
                                                           "Reference.PutProperty Prpr FlIn",
                                                           "Reference.PutEnumerated Dcmn Ordn Trgt",
                                                           "Control.Get",
                                                           "Descriptor.HasKey FlIn",
                                                           "Descriptor.GetType FlIn",
                                                           "Descriptor.GetObject FlIn",
                                                           "Reference.Free",
                                                           "Descriptor.Free"};

// Text beyond ASCII, one sample for each of the five text fields in the record's order (two-byte
// letters, Cyrillic, CJK, a character outside 16 bits: "Łódź", "Zoë", "Москва", "東京", "😀"),
// and the fields' keys in the host's File Info object.
inline const std::vector<std::string> kUnicodeSamples = {
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA",
    "Zo\xC3\xAB", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "\xE6\x9D\xB1\xE4\xBA\xAC",
    "\xF0\x9F\x98\x80"};
inline const char* const kTextFieldKeys[] = {"ObjN", "Byln", "Cptn", "CprN", "URL "};
