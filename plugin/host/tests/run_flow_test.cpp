#include "run_flow.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bridge_fixture.h"
#include "error_log.h"
#include "plugin_text.h"
#include "run_faults.h"

namespace {

using Strings = std::vector<std::pair<DescriptorKeyID, std::string>>;

// The windowing side, played by the test.
struct Shell {
  static inline int abouts = 0;
  static inline int editors = 0;
  static inline bool accept = true;
  static inline bool throwInEditor = false;
  static inline bool throwInAbout = false;
  static inline FileInfoRecord seen;  // the working copy as the dialog opened
  static inline FileInfoRecord working;
  static inline FileInfoRecord edits;                     // what the user types, applied on OK
  static inline void (*edit)(FileInfoRecord&) = nullptr;  // when set, applied instead of edits
  static inline std::vector<std::string> savedLast;

  static void ShowAbout() {
    ++abouts;
    if (throwInAbout) throw HostException{kMemFullErr};
  }
  static bool RunEditor() {
    ++editors;
    seen = working;
    if (throwInEditor) throw HostException{kMemFullErr};
    if (accept && edit) {
      edit(working);
    } else if (accept) {
      working = edits;
    }
    return accept;
  }
  static FileInfoRecord& WorkingCopy() { return working; }
  static void SaveLast(const FileInfoRecord& record) { savedLast.push_back(record.title); }
};

class RunFlowTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    Shell::abouts = Shell::editors = 0;
    Shell::accept = true;
    Shell::throwInEditor = Shell::throwInAbout = false;
    Shell::edit = nullptr;
    ClearFileInfo(Shell::working);
    ClearFileInfo(Shell::edits);
    Shell::savedLast.clear();
    // One file per case and run: natively every case is its own process, run in parallel.
    logPath = ::testing::TempDir() + "run_flow_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".log";
    std::remove(logPath.c_str());
    shell = {Shell::ShowAbout, Shell::RunEditor, Shell::WorkingCopy, Shell::SaveLast, logPath.c_str()};
    message.d.SPCheck = kSPValidSPMessageData;
    message.d.self = host.Self();
    message.d.basic = host.Basic();
    message.actionParameters = &params;
  }
  void TearDown() override {
    if (params.descriptor) host.FreeDescriptor(params.descriptor);
    EXPECT_EQ(host.LiveObjects(), 0);
    std::remove(logPath.c_str());
    BridgeTest::TearDown();
  }

  SPErr Send(const char* caller, const char* selector) {
    return HandlePluginMessage(caller, selector, &message, shell);
  }
  SPErr DoIt(PIDialogPlayOptions playInfo) {
    params.playInfo = playInfo;
    return Send("PS Photoshop", "Do It");
  }
  void Edit(const char* keywords, const char* title, const char* photographer, const char* description,
            const char* copyright, const char* url) {
    CopyText(Shell::edits.keywords, kKeywordTextSize, keywords);
    CopyText(Shell::edits.title, kTitleSize, title);
    CopyText(Shell::edits.photographer, kPhotographerSize, photographer);
    CopyText(Shell::edits.description, kDescriptionSize, description);
    CopyText(Shell::edits.copyright, kCopyrightSize, copyright);
    CopyText(Shell::edits.url, kUrlSize, url);
  }
  int HistorySize() const {
    int n = 0;
    for (const RunRecord* r = RunHistory(); r; r = r->next) ++n;
    return n;
  }
  std::vector<std::string> LogLines() const {
    std::ifstream in(logPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  int Plays() const {
    int n = 0;
    for (const std::string& call : host.calls) n += call.rfind("Control.Play", 0) == 0;
    return n;
  }

  std::string logPath;
  PluginShell shell{};
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
  PSActionsPlugInMessage message{};
};

const Strings kRecorded = {{Code("KeWo"), "k1; k2; "}, {Code("Titl"), "T"}, {Code("Phot"), "P"},
                           {Code("Desc"), "D"},        {Code("Copy"), "C"}, {Code("URLP"), "U"}};

TEST_F(RunFlowTest, MessagesAreMatchedByCallerAndSelectorTogether) {
  EXPECT_EQ(Send("SP Interface", "About"), 0);
  EXPECT_EQ(Shell::abouts, 1);
  EXPECT_EQ(Send("SP Interface", "Do It"), 0);
  EXPECT_EQ(Send("PS Photoshop", "About"), 0);
  EXPECT_EQ(Send("SP Access", "Reload"), 0);
  EXPECT_EQ(Shell::abouts, 1);
  EXPECT_EQ(Shell::editors, 0);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(RunFlowTest, InteractiveRunShowsTheDocumentAndWritesTheEditedValues) {
  host.SetKeywords({"old1", "old2"});
  host.SetField(Code("ObjN"), "Old title");
  host.SetField(Code("Cptn"), "Old description");
  Edit("new1, new2", "New title", "Ann", "New description", "(c) Ann", "http://ann");

  EXPECT_EQ(DoIt(kPlugInDialogDisplay), 0);
  EXPECT_STREQ(Shell::seen.keywords, "old1; old2; ");
  EXPECT_STREQ(Shell::seen.title, "Old title");
  EXPECT_STREQ(Shell::seen.description, "Old description");
  EXPECT_EQ(Shell::savedLast, std::vector<std::string>{"New title"});

  ASSERT_EQ(Plays(), 1);
  ASSERT_EQ(host.played.size(), 1u);
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"new1", "new2"}));
  EXPECT_EQ(host.Field(Code("ObjN")), "New title");
  EXPECT_EQ(host.Field(Code("Byln")), "Ann");
  EXPECT_EQ(host.Field(Code("Cptn")), "New description");
  EXPECT_EQ(host.Field(Code("CprN")), "(c) Ann");
  EXPECT_EQ(host.Field(Code("URL ")), "http://ann");

  // The step handed to the host: the six values under the plug-in's own keys, in order.
  ASSERT_NE(params.descriptor, nullptr);
  EXPECT_EQ(host.Strings(params.descriptor), (Strings{{Code("KeWo"), "new1, new2"},
                                                      {Code("Titl"), "New title"},
                                                      {Code("Phot"), "Ann"},
                                                      {Code("Desc"), "New description"},
                                                      {Code("Copy"), "(c) Ann"},
                                                      {Code("URLP"), "http://ann"}}));
  EXPECT_EQ(params.recordInfo, kPlugInDialogOptional);
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(RunFlowTest, CancelLeavesDocumentStepAndHistoryAlone) {
  host.SetField(Code("ObjN"), "Keep");
  PIActionDescriptor previous = host.MakeDescriptor(kRecorded);
  params.descriptor = previous;
  Shell::accept = false;
  Edit("x", "changed", "", "", "", "");

  EXPECT_EQ(DoIt(kPlugInDialogDisplay), kResultStop);
  EXPECT_EQ(Plays(), 0);
  EXPECT_EQ(host.Field(Code("ObjN")), "Keep");
  EXPECT_EQ(params.descriptor, previous);
  EXPECT_TRUE(host.IsLive(previous));
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_TRUE(Shell::savedLast.empty());
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(RunFlowTest, ReplayWritesTheRecordedValuesWithoutDialogAndRecordsThemAgain) {
  for (PIDialogPlayOptions playInfo : {kPlugInDialogDontDisplay, kPlugInDialogSilent}) {
    host.fileInfo.items.clear();
    PIActionDescriptor previous = host.MakeDescriptor(kRecorded);
    params.descriptor = previous;
    EXPECT_EQ(DoIt(playInfo), 0);
    EXPECT_EQ(Shell::editors, 0);
    EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"k1", "k2"}));
    EXPECT_EQ(host.Field(Code("ObjN")), "T");
    EXPECT_EQ(host.Field(Code("URL ")), "U");
    // The old descriptor was freed and replaced by one with the same values.
    EXPECT_FALSE(host.IsLive(previous));
    EXPECT_EQ(host.Strings(params.descriptor), kRecorded);
    host.FreeDescriptor(params.descriptor);
    params.descriptor = nullptr;
  }
  EXPECT_TRUE(Shell::savedLast.empty());
}

TEST_F(RunFlowTest, ReplayWithoutDescriptorWritesEmptyFieldsAndKeepsKeywords) {
  host.SetKeywords({"kept"});
  host.SetField(Code("ObjN"), "cleared");
  EXPECT_EQ(DoIt(kPlugInDialogSilent), 0);
  EXPECT_EQ(host.Keywords(), std::vector<std::string>{"kept"});
  EXPECT_EQ(host.Field(Code("ObjN")), "");
  EXPECT_EQ(host.Strings(params.descriptor), (Strings{{Code("KeWo"), ""},
                                                      {Code("Titl"), ""},
                                                      {Code("Phot"), ""},
                                                      {Code("Desc"), ""},
                                                      {Code("Copy"), ""},
                                                      {Code("URLP"), ""}}));
}

TEST_F(RunFlowTest, EachRunStartsEmptyAndThreeRunsGiveAHistoryOfThree) {
  params.descriptor = host.MakeDescriptor(kRecorded);
  DoIt(kPlugInDialogSilent);
  host.FreeDescriptor(params.descriptor);
  params.descriptor = nullptr;
  DoIt(kPlugInDialogSilent);  // nothing of the first run's values survives
  EXPECT_EQ(host.Field(Code("ObjN")), "");
  Edit("third", "Third", "", "", "", "");
  DoIt(kPlugInDialogDisplay);
  EXPECT_EQ(HistorySize(), 3);
  // Each suite is acquired once, at its first use, and kept for the later runs; the Unicode
  // builds ask for the ZString suite at their first text.
  std::vector<std::string> suites = {"AcquireSuite df135115-c769-11d0-8079-00c04fd7ec47 2",
                                     "AcquireSuite df135117-c769-11d0-8079-00c04fd7ec47 2",
                                     "AcquireSuite df135116-c769-11d0-8079-00c04fd7ec47 1",
                                     "AcquireSuite bc1e4d70-f953-11d0-8d9f-00c04fd5f7ee 2"};
  if (kUtf8Text) suites.insert(suites.begin() + 1, "AcquireSuite AS ZString Suite 1");
  EXPECT_EQ(host.suiteCalls, suites);
  EXPECT_EQ(host.Strings(params.descriptor)[1],
            (std::pair<DescriptorKeyID, std::string>{Code("Titl"), "Third"}));
}

TEST_F(RunFlowTest, DialogNeverShowsAnEarlierRunsValues) {
  host.SetField(Code("ObjN"), "First document");
  Edit("", "First document", "", "", "", "");
  DoIt(kPlugInDialogDisplay);
  host.FreeDescriptor(params.descriptor);
  params.descriptor = nullptr;

  host.hasDocument = false;  // the File Info cannot be obtained
  Shell::accept = false;
  EXPECT_EQ(DoIt(kPlugInDialogDisplay), kResultStop);
  EXPECT_STREQ(Shell::seen.title, "");
  EXPECT_STREQ(Shell::seen.keywords, "");
}

TEST_F(RunFlowTest, RefusedSuiteIsLoggedOnceAndTheHostGetsZero) {
  host.refusedSuite = kPSActionReferenceSuite;
  EXPECT_EQ(DoIt(kPlugInDialogDisplay), 0);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  // "[MM/DD/YY HH:MM:SS] Error: 1348563565"
  const std::string pattern = "[99/99/99 99:99:99] Error: 1348563565";
  ASSERT_EQ(lines[0].size(), pattern.size()) << lines[0];
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '9') {
      EXPECT_TRUE(isdigit(static_cast<unsigned char>(lines[0][i]))) << lines[0];
    } else {
      EXPECT_EQ(lines[0][i], pattern[i]) << lines[0];
    }
  }
  EXPECT_EQ(Shell::editors, 0);

  // An exception inside the dialog ends the run the same way.
  host.refusedSuite.clear();
  Shell::throwInEditor = true;
  EXPECT_EQ(DoIt(kPlugInDialogDisplay), 0);
  EXPECT_EQ(LogLines().size(), 2u);
  EXPECT_EQ(Plays(), 0);

  // And so does one inside the about box.
  Shell::throwInAbout = true;
  EXPECT_EQ(Send("SP Interface", "About"), 0);
  ASSERT_EQ(LogLines().size(), 3u);
  EXPECT_EQ(LogLines()[2].substr(19), " Error: 1348563565");
}

TEST_F(RunFlowTest, MissingMessageOrParametersAreHandledSafely) {
  EXPECT_EQ(HandlePluginMessage("PS Photoshop", "Do It", nullptr, shell), 0);
  EXPECT_EQ(LogLines().size(), 1u);

  // No action parameters: the user confirms the values instead of a silent overwrite.
  host.SetField(Code("ObjN"), "Mine");
  message.actionParameters = nullptr;
  Edit("", "Mine", "", "", "", "");
  EXPECT_EQ(Send("PS Photoshop", "Do It"), 0);
  EXPECT_EQ(Shell::editors, 1);
  EXPECT_EQ(host.Field(Code("ObjN")), "Mine");
}

// A field the user leaves as the editor showed it goes back as the document held it, and is
// recorded so: a title and a description longer than their fields (whole through ZStrings),
// 1,200 keywords, one holding a comma; the replay writes the same. A changed field comes from
// its box. The char* routes keep the keyword items too.
TEST_F(RunFlowTest, UntouchedFieldsGoBackAsTheDocumentHeldThemAndReplaySo) {
  std::string title, description;
  for (int i = 0; i < 400; ++i) title += "\xE6\x9D\xB1";     // "東"
  for (int i = 0; i < 1500; ++i) description += "\xD0\x96";  // "Ж"
  std::vector<std::string> keywords = {"Washington, D.C.", " padded "};
  for (int i = 0; i < 1200; ++i) keywords.push_back("keyword" + std::to_string(10000 + i));
  Shell::edit = [](FileInfoRecord& working) { CopyText(working.url, kUrlSize, "http://changed"); };
  for (const bool zstrings : {kUtf8Text, false}) {
    ReleaseHostSuites();
    host.refusedSuite = zstrings ? "" : kASZStringSuite;
    const std::string what = zstrings ? "ZString route" : "char* route";
    auto setDocument = [&] {
      host.fileInfo.items.clear();
      host.SetKeywords(keywords);
      host.SetField(Code("ObjN"), title);
      host.SetField(Code("Cptn"), description);
      host.SetField(Code("Byln"), "Ann");
      host.SetField(Code("URL "), "http://old");
    };
    // The char* routines carry at most the host's maximum of a field, in its code page.
    const std::string keptTitle = zstrings ? title : std::string(254, '?');
    const std::string keptDescription = zstrings ? description : std::string(999, '?');
    auto expectDocument = [&](const char* when) {
      EXPECT_EQ(host.Keywords(), keywords) << what << when;
      EXPECT_EQ(host.Field(Code("ObjN")), keptTitle) << what << when;
      EXPECT_EQ(host.Field(Code("Cptn")), keptDescription) << what << when;
      EXPECT_EQ(host.Field(Code("Byln")), "Ann") << what << when;
      EXPECT_EQ(host.Field(Code("URL ")), "http://changed") << what << when;
    };
    setDocument();
    ASSERT_EQ(DoIt(kPlugInDialogDisplay), 0);
    expectDocument(", OK");
    // The step keeps the keyword text as before, the items beside it.
    const Strings step = host.Strings(params.descriptor);
    ASSERT_EQ(step.size(), 7u) << what;
    EXPECT_EQ(step[0].second, JoinKeywords(keywords)) << what;
    EXPECT_EQ(step[1].second, keptTitle) << what;
    EXPECT_EQ(step[6].first, Code("KeLs")) << what;

    setDocument();
    ASSERT_EQ(DoIt(kPlugInDialogSilent), 0);
    expectDocument(", replay");
    EXPECT_EQ(host.Strings(params.descriptor), step) << what;
    host.FreeDescriptor(params.descriptor);
    params.descriptor = nullptr;
  }
}

// Host errors never end a run: with each host call of an interactive run failing in turn, and then
// of the replay of its step, the run still returns 0, leaves no object alive, and the step is
// either untouched or complete. The keywords are left as shown, so the step carries their items.
TEST_F(RunFlowTest, EveryFailingHostCallLeavesNothingBehind) {
  Edit("a; b, c; ", "T2", "P", "D", "C", "U");
  for (const bool replay : {false, true}) {
    auto previousStep = [&] {
      host.SetKeywords({"a", "b, c"});
      host.SetField(Code("ObjN"), "T");
      if (!replay) return host.MakeDescriptor(kRecorded);
      host.failCall = 0;
      params.descriptor = host.MakeDescriptor(kRecorded);
      DoIt(kPlugInDialogDisplay);
      return params.descriptor;
    };
    auto run = [&] { return DoIt(replay ? kPlugInDialogSilent : kPlugInDialogDisplay); };
    params.descriptor = previousStep();
    host.callCount = 0;
    run();
    const int total = host.callCount;
    ASSERT_GT(total, replay ? 20 : 30);
    ASSERT_EQ(host.Strings(params.descriptor).size(), 7u);  // the six values and the keyword items
    host.FreeDescriptor(params.descriptor);
    for (int n = 1; n <= total; ++n) {
      PIActionDescriptor previous = params.descriptor = previousStep();
      host.calls.clear();
      host.callCount = 0;
      host.failCall = n;
      EXPECT_EQ(run(), 0) << "call " << n;
      const bool failedAFree = faults::IsFree(host.calls[n - 1]);
      if (params.descriptor != previous) {
        EXPECT_TRUE(failedAFree || !host.IsLive(previous)) << "call " << n;
        // Complete: the six values, and the items where the keywords were read whole.
        const std::size_t keys = host.Strings(params.descriptor).size();
        EXPECT_TRUE(keys == 6 || keys == 7) << "call " << n;
      }
      host.FreeDescriptor(params.descriptor);
      params.descriptor = nullptr;
      if (failedAFree) host.ForgetLiveObjects();
      EXPECT_EQ(host.LiveObjects(), 0) << "call " << n << ": " << host.calls[n - 1];
    }
  }
  host.failCall = 0;
  EXPECT_TRUE(LogLines().empty());
}

TEST(ErrorLog, LineFormat) {
  std::tm t{};
  t.tm_year = 107;
  t.tm_mon = 2;
  t.tm_mday = 4;
  t.tm_hour = 17;
  t.tm_min = 5;
  t.tm_sec = 9;
  char line[kErrorLineSize];
  FormatErrorLine(t, kResultParm, line);
  EXPECT_STREQ(line, "[03/04/07 17:05:09] Error: 1348563565\n");
  FormatErrorLine(t, -30900, line);
  EXPECT_STREQ(line, "[03/04/07 17:05:09] Error: -30900\n");
}

}  // namespace
