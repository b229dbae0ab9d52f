// Whole runs with each host call failing in turn: what the dialog is shown, what reaches the
// document, which step the host is left with, and that nothing is logged or left alive.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bridge_fixture.h"
#include "run_fault_checks.h"
#include "run_faults.h"
#include "run_flow.h"

namespace {

using faults::ExpectRecordedAndWritten;
using faults::kDocumentFields;
using faults::kDocumentKeywords;
using faults::kEdited;
using faults::kPrevious;
using faults::Stage;
using faults::Strings;

// The windowing side: the dialog notes what it was shown and, on OK, the user's edits replace it.
struct Shell {
  static inline FileInfoRecord working;
  static inline FileInfoRecord shown;
  static inline FileInfoRecord edits;
  static bool RunEditor() {
    shown = working;
    working = edits;
    return true;
  }
  static FileInfoRecord& WorkingCopy() { return working; }
  static void ShowAbout() {}
};

class HostFaultTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    // The fault plan follows the char* route's calls (run_faults.h); the ZString route's failures
    // are swept in run_flow_test and file_info_exchange_test.
    host.refusedSuite = kASZStringSuite;
    host.SetKeywords(kDocumentKeywords);
    for (const auto& field : kDocumentFields) host.SetField(field.first, field.second);
    ClearFileInfo(Shell::working);
    Shell::edits = Record(kEdited);
    logPath = ::testing::TempDir() + "host_fault_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".log";
    std::remove(logPath.c_str());
    shell = {Shell::ShowAbout, Shell::RunEditor, Shell::WorkingCopy, nullptr, logPath.c_str()};
    message.d.basic = host.Basic();
    message.d.self = host.Self();
    message.actionParameters = &params;
  }
  void TearDown() override {
    std::remove(logPath.c_str());
    BridgeTest::TearDown();
  }

  static FileInfoRecord Record(const Strings& step) {
    FileInfoRecord r;
    ClearFileInfo(r);
    CopyText(r.keywords, sizeof r.keywords, step[0].second.c_str());
    CopyText(r.title, sizeof r.title, step[1].second.c_str());
    CopyText(r.photographer, sizeof r.photographer, step[2].second.c_str());
    CopyText(r.description, sizeof r.description, step[3].second.c_str());
    CopyText(r.copyright, sizeof r.copyright, step[4].second.c_str());
    CopyText(r.url, sizeof r.url, step[5].second.c_str());
    return r;
  }

  // One "Do It" over a fresh document and a previous step; failCall 0 fails nothing.
  SPErr Run(PIDialogPlayOptions playInfo, int failCall) {
    host.fileInfo.items.clear();
    host.SetKeywords(kDocumentKeywords);
    for (const auto& field : kDocumentFields) host.SetField(field.first, field.second);
    host.played.clear();
    params.descriptor = previous = host.MakeDescriptor(kPrevious);
    params.playInfo = playInfo;
    params.recordInfo = kPlugInDialogRequired;
    host.calls.clear();
    host.callCount = 0;
    host.failCall = failCall;
    host.failCode = -4242;
    const SPErr result = HandlePluginMessage("PS Photoshop", "Do It", &message, shell);
    host.failCall = 0;
    return result;
  }

  // Frees what the run left to the host; after a failed Free the host forgets what it still holds.
  void EndRun(bool failedAFree) {
    if (host.IsLive(params.descriptor)) host.FreeDescriptor(params.descriptor);
    if (previous != params.descriptor && host.IsLive(previous)) host.FreeDescriptor(previous);
    params.descriptor = previous = nullptr;
    if (failedAFree) host.ForgetLiveObjects();
  }

  std::vector<std::string> LogLines() const {
    std::ifstream in(logPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  int HistorySize() const {
    int n = 0;
    for (const RunRecord* r = RunHistory(); r; r = r->next) ++n;
    return n;
  }

  std::string logPath;
  PluginShell shell{};
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
  PSActionsPlugInMessage message{};
  PIActionDescriptor previous = nullptr;
};

// An interactive run: the dialog opens with what could be read, the user's values are recorded
// unless the step cannot be made, and written unless the write fails before the set event is
// played. Host errors are never logged and never reach the host as a code.
TEST_F(HostFaultTest, InteractiveRunWithEachHostCallFailing) {
  ASSERT_EQ(Run(kPlugInDialogDisplay, 0), 0);
  const std::vector<std::string> baseline = host.calls;
  EndRun(false);
  const std::vector<Stage> stages = faults::StagesOf(baseline, true);
  ASSERT_EQ(stages.back(), Stage::kWrite);
  int history = HistorySize();

  for (std::size_t i = 0; i < baseline.size(); ++i) {
    const std::string& call = baseline[i];
    const std::string what = "call " + std::to_string(i + 1) + " " + call;
    EXPECT_EQ(Run(kPlugInDialogDisplay, static_cast<int>(i + 1)), 0) << what;
    ASSERT_EQ(host.calls[i], call + " -> -4242") << what;
    const Stage stage = stages[i];

    // What the dialog was shown.
    const std::string keywords =
        stage == Stage::kReadKeywords ? faults::KeywordsRead(call, kDocumentKeywords) : "a; b; ";
    EXPECT_STREQ(Shell::shown.keywords, keywords.c_str()) << what;
    const char* const shown[] = {Shell::shown.title, Shell::shown.photographer, Shell::shown.description,
                                 Shell::shown.copyright, Shell::shown.url};
    for (std::size_t f = 0; f < kDocumentFields.size(); ++f) {
      const std::string key = stub::CodeText(kDocumentFields[f].first);
      const bool lost = stage == Stage::kReadFields && faults::FieldLost(call, key);
      EXPECT_EQ(shown[f], lost ? std::string() : kDocumentFields[f].second) << what << " field " << key;
    }
    if (stage == Stage::kWrite && !faults::IsFree(call)) {
      // The write stops at its first failure: only Frees follow.
      for (std::size_t later = i + 1; later < host.calls.size(); ++later)
        EXPECT_TRUE(faults::IsFree(host.calls[later])) << what << " then " << host.calls[later];
    }
    ExpectRecordedAndWritten(host, params, previous, faults::StepReplaced(stage, call),
                             stage != Stage::kRecord, faults::Written(stage, call), kEdited, what);
    if (faults::Written(stage, call)) {
      EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"e1", "e2"})) << what;
    }
    // Every completed run joins the history, recorded or not.
    EXPECT_EQ(HistorySize(), ++history) << what;

    const bool failedAFree = faults::IsFree(call);
    EndRun(failedAFree);
    EXPECT_EQ(host.LiveObjects(), 0) << what;
  }
  EXPECT_TRUE(LogLines().empty());
}

// A replay: a recorded value that cannot be read replays (and is recorded again) as empty, as a
// missing key does; the rest of the run goes on as above.
TEST_F(HostFaultTest, ReplayWithEachHostCallFailing) {
  ASSERT_EQ(Run(kPlugInDialogSilent, 0), 0);
  const std::vector<std::string> baseline = host.calls;
  EndRun(false);
  const std::vector<Stage> stages = faults::StagesOf(baseline, false);
  ASSERT_EQ(stages.front(), Stage::kReadRecorded);
  ASSERT_EQ(stages.back(), Stage::kWrite);

  for (std::size_t i = 0; i < baseline.size(); ++i) {
    const std::string& call = baseline[i];
    const std::string what = "call " + std::to_string(i + 1) + " " + call;
    EXPECT_EQ(Run(kPlugInDialogSilent, static_cast<int>(i + 1)), 0) << what;
    const Stage stage = stages[i];
    Strings values = kPrevious;
    if (stage == Stage::kReadRecorded) {
      for (auto& value : values) {
        if (faults::FieldLost(call, stub::CodeText(value.first))) value.second.clear();
      }
    }
    ExpectRecordedAndWritten(host, params, previous, faults::StepReplaced(stage, call),
                             stage != Stage::kRecord, faults::Written(stage, call), values, what);
    if (faults::Written(stage, call)) {
      const bool keywordsLost = values[0].second.empty();
      EXPECT_EQ(host.Keywords(), keywordsLost ? kDocumentKeywords : (std::vector<std::string>{"k1", "k2"}))
          << what;
    }
    EndRun(faults::IsFree(call));
    EXPECT_EQ(host.LiveObjects(), 0) << what;
  }
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
