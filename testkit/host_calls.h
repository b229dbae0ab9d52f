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
