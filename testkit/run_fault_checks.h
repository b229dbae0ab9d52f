// The document, steps and checks shared by the fault tests of the bridge (native) and of the
// module (under Wine): both start from the same document and previous step, so what a failing
// call may leave behind is judged the same way.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "host_interface.h"

namespace faults {

using Strings = std::vector<std::pair<DescriptorKeyID, std::string>>;

inline const std::vector<std::string> kDocumentKeywords = {"a", "b"};
inline const Strings kDocumentFields = {{Code("ObjN"), "Doc title"},
                                        {Code("Byln"), "Doc photographer"},
                                        {Code("Cptn"), "Doc description"},
                                        {Code("CprN"), "Doc copyright"},
                                        {Code("URL "), "Doc URL"}};
// The step the host holds before the run, and the values the user types into the dialog.
inline const Strings kPrevious = {{Code("KeWo"), "k1; k2; "}, {Code("Titl"), "T"}, {Code("Phot"), "P"},
                                  {Code("Desc"), "D"},        {Code("Copy"), "C"}, {Code("URLP"), "U"}};
inline const Strings kEdited = {{Code("KeWo"), "e1, e2"}, {Code("Titl"), "Edited title"},
                                {Code("Phot"), "Ed"},     {Code("Desc"), "Edited"},
                                {Code("Copy"), "(c) Ed"}, {Code("URLP"), "http://ed"}};

// The step the host is left with and the document, after a run that produced values: the new
// step (the previous one freed when previousFreed) or the previous one whole; the five fields
// written or the document as it was.
inline void ExpectRecordedAndWritten(const stub::FakeHost& host, const PIActionParameters& params,
                                     PIActionDescriptor previous, bool replaced, bool previousFreed,
                                     bool written, const Strings& values, const std::string& what) {
  if (replaced) {
    EXPECT_NE(params.descriptor, previous) << what;
    if (previousFreed) {
      EXPECT_FALSE(host.IsLive(previous)) << what;
    }
    EXPECT_EQ(host.Strings(params.descriptor), values) << what;
    EXPECT_EQ(params.recordInfo, kPlugInDialogOptional) << what;
  } else {
    EXPECT_EQ(params.descriptor, previous) << what;
    EXPECT_EQ(host.Strings(previous), kPrevious) << what;
    EXPECT_EQ(params.recordInfo, kPlugInDialogRequired) << what;
  }
  if (written) {
    ASSERT_EQ(host.played.size(), 1u) << what;
    for (std::size_t f = 0; f < kDocumentFields.size(); ++f)
      EXPECT_EQ(host.Field(kDocumentFields[f].first), values[f + 1].second) << what;
  } else {
    EXPECT_TRUE(host.played.empty()) << what;
    for (const auto& field : kDocumentFields) EXPECT_EQ(host.Field(field.first), field.second) << what;
    EXPECT_EQ(host.Keywords(), kDocumentKeywords) << what;
  }
}

}  // namespace faults
