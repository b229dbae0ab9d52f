#include "file_info_exchange.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bridge_fixture.h"
#include "file_info_record.h"
#include "ansi_code_page.h"
#include "host_calls.h"
#include "plugin_text.h"
#include "run_faults.h"

namespace {

using Calls = std::vector<std::string>;
using FileInfoTest = BridgeTest;

Calls Concat(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

FileInfoRecord EmptyRecord() {
  FileInfoRecord record;
  ClearFileInfo(record);
  return record;
}

int32 Write(const char* keywords, const char* title = "T", const char* description = "D") {
  return WriteFileInfo(ValuesOf(RecordOf({keywords, title, "P", description, "C", "U"})));
}

// The exact calls are those of the char* route, the 32-bit build's and an older host's.
TEST_F(FileInfoTest, ReadKeywordTextJoinsTheListAndSkipsEmptyItems) {
  host.refusedSuite = kASZStringSuite;
  host.SetKeywords({"a", "", "b c"});
  FileInfoRecord record = EmptyRecord();
  EXPECT_EQ(ReadKeywordText(record), 0);
  EXPECT_STREQ(record.keywords, "a; b c; ");
  EXPECT_EQ(host.calls, Concat(kGetFileInfoCalls,
                               {"Descriptor.GetList Kywd", "List.GetCount", "List.GetStringLength 0",
                                "List.GetString 0 2", "List.GetStringLength 1", "List.GetStringLength 2",
                                "List.GetString 2 4", "Descriptor.Free", "List.Free"}));
  EXPECT_EQ(host.LiveObjects(), 0);
}

TEST_F(FileInfoTest, ReadKeywordTextNeverOverrunsTheKeywordText) {
  // 2000 keywords of 9 characters join to 22000 characters; the text keeps whole items only.
  host.SetKeywords(std::vector<std::string>(2000, "abcdefghi"));
  FileInfoRecord record = EmptyRecord();
  ReadKeywordText(record);
  const std::string text = record.keywords;
  EXPECT_LT(text.size(), kKeywordCapacity + 1);
  EXPECT_GT(text.size(), kKeywordCapacity - 11);
  EXPECT_EQ(text.substr(text.size() - 11), "abcdefghi; ");
  EXPECT_EQ(host.LiveObjects(), 0);

  // One keyword longer than the whole buffer is left out rather than cut.
  host.SetKeywords({std::string(12000, 'x'), "y"});
  record = EmptyRecord();
  ReadKeywordText(record);
  EXPECT_STREQ(record.keywords, "");
}

TEST_F(FileInfoTest, ReadsWithoutKeywordListOrDocumentLeaveFieldsEmpty) {
  host.SetField(Code("ObjN"), "only a title");
  FileInfoRecord record = EmptyRecord();
  FileInfoRecord working = EmptyRecord();
  CopyText(working.title, sizeof working.title, "previous run");
  EXPECT_NE(ReadKeywordText(record), 0);  // no 'Kywd' in the File Info
  EXPECT_STREQ(record.keywords, "");
  EXPECT_EQ(ReadFileInfoFields(record, working), -1715);  // the last read: no 'URL '
  EXPECT_STREQ(record.title, "only a title");
  EXPECT_STREQ(working.title, "only a title");
  EXPECT_STREQ(working.photographer, "");

  host.hasDocument = false;
  CopyText(working.title, sizeof working.title, "kept");
  EXPECT_EQ(ReadFileInfoFields(record, working), -1728);
  EXPECT_STREQ(working.title, "kept");
  EXPECT_EQ(host.LiveObjects(), 0);
}

TEST_F(FileInfoTest, ReadFileInfoFieldsUsesTheHostLimitsAndCopiesToTheWorkingCopy) {
  host.refusedSuite = kASZStringSuite;
  const std::string longText(3000, 'q');
  for (const char* key : {"ObjN", "Byln", "Cptn", "CprN", "URL "}) host.SetField(Code(key), longText);
  FileInfoRecord record = EmptyRecord();
  FileInfoRecord working = EmptyRecord();
  EXPECT_EQ(ReadFileInfoFields(record, working), 0);
  EXPECT_EQ(host.calls,
            Concat(kGetFileInfoCalls, {"Descriptor.GetString ObjN 255", "Descriptor.GetString Byln 255",
                                       "Descriptor.GetString Cptn 1000", "Descriptor.GetString CprN 1000",
                                       "Descriptor.GetString URL  255", "Descriptor.Free"}));
  EXPECT_EQ(std::string(record.title), longText.substr(0, 254));
  EXPECT_EQ(std::string(record.description), longText.substr(0, 999));
  EXPECT_EQ(std::string(working.url), longText.substr(0, 254));
  EXPECT_EQ(std::string(working.copyright), longText.substr(0, 999));
}

TEST_F(FileInfoTest, WriteFileInfoPlaysOneSetEventInTheFixedOrder) {
  host.refusedSuite = kASZStringSuite;
  EXPECT_EQ(Write("a, b;c"), 0);
  const Calls expected = {"Reference.Make",
                          "Reference.PutProperty Prpr FlIn",
                          "Reference.PutEnumerated Dcmn Ordn Trgt",
                          "Descriptor.Make",
                          "Descriptor.PutReference null",
                          "Descriptor.Make",
                          "Descriptor.PutString Cptn \"D\"",
                          "List.Make",
                          "List.PutString \"a\"",
                          "List.PutString \"b\"",
                          "List.PutString \"c\"",
                          "Descriptor.PutList Kywd",
                          "Descriptor.PutString Byln \"P\"",
                          "Descriptor.PutString ObjN \"T\"",
                          "Descriptor.PutString CprN \"C\"",
                          "Descriptor.PutString URL  \"U\"",
                          "Descriptor.PutObject T    FlIn",
                          "Control.Play setd 2",
                          "Descriptor.Free",
                          "Descriptor.Free",
                          "Reference.Free",
                          "Descriptor.Free",
                          "List.Free"};
  EXPECT_EQ(host.calls, expected);
  ASSERT_EQ(host.played.size(), 1u);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(host.Field(Code("ObjN")), "T");
  EXPECT_EQ(host.Field(Code("URL ")), "U");
  EXPECT_EQ(host.LiveObjects(), 0);
}

TEST_F(FileInfoTest, WriteFileInfoKeywordListForms) {
  Write("  ;a;; b , ");
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"a", "b"}));

  // Not empty, so an empty list is written.
  Write("; ;");
  ASSERT_NE(host.played.back().Find(Code("Kywd")), nullptr);
  EXPECT_TRUE(host.Keywords().empty());

  // Empty: no 'Kywd' at all; the document keeps its list, empty fields are written as empty.
  host.SetKeywords({"kept"});
  Write("", "", "");
  EXPECT_EQ(host.played.back().Find(Code("Kywd")), nullptr);
  EXPECT_EQ(host.played.back().items.size(), 5u);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"kept"}));
  EXPECT_TRUE(host.HasField(Code("ObjN")));
  EXPECT_EQ(host.Field(Code("ObjN")), "");
  EXPECT_EQ(host.LiveObjects(), 0);
}

// Text beyond ASCII, through the reads, the write and the recorded step. Where the plug-in keeps
// UTF-8 every character survives (through ZStrings); the 32-bit build holds the ANSI code page's
// form, as the char* routines hand it out. A cut to a field's capacity never splits a character.
TEST_F(FileInfoTest, EveryCharacterSurvivesWhereThePluginKeepsUtf8) {
  const std::vector<std::string>& samples = kUnicodeSamples;
  const char* const* keys = kTextFieldKeys;
  host.SetKeywords(samples);
  for (std::size_t i = 0; i < 5; ++i) host.SetField(Code(keys[i]), samples[i]);
  FileInfoRecord record = EmptyRecord(), working = EmptyRecord();
  ASSERT_EQ(ReadKeywordText(record), 0);
  ASSERT_EQ(ReadFileInfoFields(record, working), 0);
  auto held = [](const std::string& text) { return kUtf8Text ? text : stub::AnsiFromUtf8(text); };
  EXPECT_EQ(record.keywords, held(samples[0]) + "; " + held(samples[1]) + "; " + held(samples[2]) + "; " +
                                 held(samples[3]) + "; " + held(samples[4]) + "; ");
  EXPECT_EQ(working.description, held(samples[2]));

  ASSERT_EQ(WriteFileInfo(ValuesOf(record)), 0);
  auto back = [&](const std::string& text) { return kUtf8Text ? text : stub::Utf8FromAnsi(held(text)); };
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(host.Field(Code(keys[i])), back(samples[i])) << keys[i];
  EXPECT_EQ(host.Keywords().at(4), back(samples[4]));

  AppendRunRecord(ValuesOf(record));
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
  ASSERT_EQ(RecordParameters(&params), 0);
  FileInfoRecord replayed = EmptyRecord();
  ReadRecordedParameters(&params, replayed);
  EXPECT_STREQ(replayed.keywords, record.keywords);
  EXPECT_STREQ(replayed.copyright, record.copyright);
  host.FreeDescriptor(params.descriptor);

  // 200 three-byte characters for a title of 255 characters: all of them, where the text is
  // UTF-8; then 400, cut to 255.
  std::string east;
  for (int i = 0; i < 100; ++i) east += samples[3];
  host.SetField(Code("ObjN"), east);
  ASSERT_EQ(ReadFileInfoFields(record, working), 0);
  EXPECT_EQ(record.title, kUtf8Text ? east : std::string(200, '?').substr(0, 254));
  host.SetField(Code("ObjN"), east + east);
  ASSERT_EQ(ReadFileInfoFields(record, working), 0);
  EXPECT_EQ(record.title, kUtf8Text ? (east + east).substr(0, 255 * 3) : std::string(254, '?'));
  EXPECT_EQ(host.LiveObjects(), 0);
}

// Without the ZString suite the char* routines carry the host's ANSI code page: where the plug-in
// keeps UTF-8 it converts both ways, so "Café" is read, recorded, replayed and written intact.
TEST_F(FileInfoTest, TheCharRoutinesCarryTheHostsCodePage) {
  host.refusedSuite = kASZStringSuite;
  const std::string cafe = "Caf\xC3\xA9", zoe = "Zo\xC3\xAB";
  auto held = [](const std::string& text) { return kUtf8Text ? text : stub::AnsiFromUtf8(text); };
  host.SetKeywords({cafe, zoe});
  host.SetField(Code("ObjN"), cafe);
  FileInfoRecord record = EmptyRecord(), working = EmptyRecord();
  ASSERT_EQ(ReadKeywordText(record), 0);
  ReadFileInfoFields(record, working);
  EXPECT_EQ(working.title, held(cafe));
  EXPECT_EQ(record.keywords, held(cafe) + "; " + held(zoe) + "; ");

  host.fileInfo.items.clear();
  host.calls.clear();
  FileInfoRecord written = EmptyRecord();
  CopyText(written.keywords, kKeywordTextSize, record.keywords);
  CopyText(written.title, kTitleSize, record.title);
  ASSERT_EQ(WriteFileInfo(ValuesOf(written)), 0);
  EXPECT_EQ(host.Field(Code("ObjN")), cafe);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{cafe, zoe}));
  // The host is handed its code page's bytes.
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Descriptor.PutString ObjN \"Caf\xE9\""), 1);

  AppendRunRecord(ValuesOf(record));
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
  ASSERT_EQ(RecordParameters(&params), 0);
  EXPECT_EQ(host.Strings(params.descriptor)[1].second, cafe);
  FileInfoRecord replayed = EmptyRecord();
  ReadRecordedParameters(&params, replayed);
  EXPECT_EQ(replayed.title, held(cafe));
  host.FreeDescriptor(params.descriptor);
  EXPECT_EQ(host.LiveObjects(), 0);
}

// Every host call of each exchange fails in turn: the failing code comes back and nothing made
// before it is left alive.
TEST_F(FileInfoTest, EveryFailingCallReturnsItsCodeAndLeaksNothing) {
  host.SetKeywords({"a", "b"});
  for (const char* key : {"ObjN", "Byln", "Cptn", "CprN", "URL "}) host.SetField(Code(key), "v");
  struct Exchange {
    const char* name;
    int32 (*run)();
    bool stopsAtFirstFailure;
  };
  const Exchange exchanges[] = {
      {"write", [] { return Write("a; b"); }, true},
      {"keywords",
       [] {
         FileInfoRecord r = EmptyRecord();
         return ReadKeywordText(r);
       },
       true},
      {"fields",
       [] {
         FileInfoRecord r = EmptyRecord(), w = EmptyRecord();
         return ReadFileInfoFields(r, w);
       },
       false},
  };
  // Both routes: the char* routines, and the ZStrings where the plug-in keeps UTF-8.
  for (const bool zstrings : {false, kUtf8Text}) {
    ReleaseHostSuites();
    host.refusedSuite = zstrings ? "" : kASZStringSuite;
    for (const Exchange& exchange : exchanges) {
      host.failCall = 0;
      host.callCount = 0;
      exchange.run();
      const int total = host.callCount;
      for (int n = 1; n <= total; ++n) {
        host.callCount = 0;
        host.calls.clear();
        host.failCall = n;
        host.failCode = -4242;
        const int32 code = exchange.run();
        const std::string what =
            std::string(exchange.name) + " call " + std::to_string(n) + " " + host.calls[n - 1];
        if (faults::IsFree(host.calls[n - 1])) {
          host.ForgetLiveObjects();
          continue;
        }
        // A length has no code of its own: a string without one reads as a bad parameter.
        const bool length = host.calls[n - 1].find("LengthAsUnicodeCString") != std::string::npos;
        if (exchange.stopsAtFirstFailure) {
          EXPECT_EQ(code, length ? kParamErr : -4242) << what;
        }
        EXPECT_EQ(host.LiveObjects(), 0) << what;
      }
    }
  }
  host.failCall = 0;
}

TEST_F(FileInfoTest, RefusedSuiteThrowsTheHostCodeBeforeAnythingIsMade) {
  host.refusedSuite = kPSActionControlSuite;
  host.refuseCode = 1234;
  FileInfoRecord record = EmptyRecord();
  try {
    ReadKeywordText(record);
    FAIL() << "no exception";
  } catch (const HostException& e) {
    EXPECT_EQ(e.code, 1234);
  }
  EXPECT_TRUE(host.calls.empty());
  EXPECT_THROW(Write("a"), HostException);
  EXPECT_EQ(host.LiveObjects(), 0);

  ReleaseHostSuites();
  SetHostMessage(nullptr, nullptr);
  try {
    Write("a");
    FAIL() << "no exception";
  } catch (const HostException& e) {
    EXPECT_EQ(e.code, kResultParm);
  }
  SetHostMessage(host.Basic(), host.Self());
}

}  // namespace
