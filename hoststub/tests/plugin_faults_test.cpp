// The plug-in module under host faults: every host call of a run failing in turn, with the real
// dialog confirmed by OK, and the host's memory running out at each allocation of a run.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "editor_steps.h"
#include "module_output.h"
#include "plugin_loader.h"
#include "run_fault_checks.h"
#include "run_faults.h"

namespace {

using faults::kDocumentFields;
using faults::kDocumentKeywords;
using faults::kEdited;
using faults::kPrevious;
using faults::Stage;
using faults::Strings;

constexpr const char kParmLine[] = " Error: 1348563565";

// The editor's six value controls, in the order of the recorded step.
constexpr int kFieldIds[] = {1019, 1034, 1035, 1036, 1030, 1031};

class PluginFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(LogPath().c_str());
    gDebugger.clear();
    handler = AddVectoredExceptionHandler(1, CatchDebugText);
    // The fault plan follows the char* route's calls (run_faults.h).
    host.refusedSuite = kASZStringSuite;
    plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
    ASSERT_TRUE(plugin->Loaded()) << PLUGIN_PATH;
  }
  void TearDown() override {
    EndRun(false);
    plugin.reset();
    RemoveVectoredExceptionHandler(handler);
    // Unloaded: suites released, every block given back, every object freed.
    EXPECT_EQ(host.liveSuites, 0);
    EXPECT_EQ(host.LiveBlocks(), 0);
    EXPECT_EQ(host.LiveObjects(), 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    EXPECT_TRUE(gDebugger.empty()) << gDebugger.front();
    DeleteFileA(LogPath().c_str());
  }

  // One "Do It" over a fresh document and a previous step. An interactive run notes what the
  // dialog shows, types the edited values and presses OK.
  SPErr Run(bool interactive) {
    host.fileInfo.items.clear();
    host.SetKeywords(kDocumentKeywords);
    for (const auto& field : kDocumentFields) host.SetField(field.first, field.second);
    host.played.clear();
    params.descriptor = previous = host.MakeDescriptor(kPrevious);
    params.playInfo = interactive ? kPlugInDialogDisplay : kPlugInDialogSilent;
    params.recordInfo = kPlugInDialogRequired;
    host.calls.clear();
    host.callCount = 0;
    host.failCode = -4242;
    shown.clear();
    dialogs = 0;
    if (!interactive) return plugin->DoIt(host, &params);
    bool finished = false;
    const DialogScript script = {OnEditor([this](HWND dialog) {
      ++dialogs;
      for (std::size_t i = 0; i < kEdited.size(); ++i) {
        shown.push_back(ItemText(dialog, kFieldIds[i]));
        SetDlgItemTextA(dialog, kFieldIds[i], kEdited[i].second.c_str());
      }
      PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    })};
    const INT_PTR result =
        RunScripted([this] { return static_cast<INT_PTR>(plugin->DoIt(host, &params)); }, script, &finished);
    timedOut = !finished;
    return static_cast<SPErr>(result);
  }

  // Frees what the run left to the host; after a failed Free the host forgets what it still holds.
  void EndRun(bool failedAFree) {
    if (params.descriptor && host.IsLive(params.descriptor)) host.FreeDescriptor(params.descriptor);
    if (previous && previous != params.descriptor && host.IsLive(previous)) host.FreeDescriptor(previous);
    params.descriptor = previous = nullptr;
    if (failedAFree) host.ForgetLiveObjects();
  }

  void ExpectRecordedAndWritten(bool replaced, bool previousFreed, bool written, const Strings& values,
                                const std::string& what) {
    faults::ExpectRecordedAndWritten(host, params, previous, replaced, previousFreed, written, values, what);
  }

  void EachAllocationFailing(bool interactive);

  stub::FakeHost host;
  std::unique_ptr<LoadedPlugin> plugin;
  PVOID handler = nullptr;
  PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
  PIActionDescriptor previous = nullptr;
  std::vector<std::string> shown;  // the six controls as the dialog opened
  int dialogs = 0;
  bool timedOut = false;
};

// Through the real dialog: it opens with what could be read, OK records the typed values unless
// the step cannot be made and writes them unless the write fails before its set event is played.
// Host errors are never logged and never reach the host; every run keeps the same share of host
// memory (its history record), no more.
TEST_F(PluginFaults, InteractiveRunWithEachHostCallFailing) {
  ASSERT_EQ(Run(true), 0);
  ASSERT_EQ(dialogs, 1);
  const std::vector<std::string> baseline = host.calls;
  EndRun(false);
  const std::vector<Stage> stages = faults::StagesOf(baseline, true);
  ASSERT_EQ(stages.back(), Stage::kWrite);
  // Counted from the third run: the second is the first to read the recent values the first saved.
  ASSERT_EQ(Run(true), 0);
  EndRun(false);
  int blocks = host.LiveBlocks();
  ASSERT_EQ(Run(true), 0);
  EndRun(false);
  const int blocksPerRun = host.LiveBlocks() - blocks;
  blocks = host.LiveBlocks();

  for (std::size_t i = 0; i < baseline.size(); ++i) {
    const std::string& call = baseline[i];
    const std::string what = "call " + std::to_string(i + 1) + " " + call;
    host.failCall = static_cast<int>(i + 1);
    EXPECT_EQ(Run(true), 0) << what;
    host.failCall = 0;
    ASSERT_FALSE(timedOut) << what;
    ASSERT_EQ(dialogs, 1) << what;
    EXPECT_EQ(FindWindowA(nullptr, kEditorCaption), nullptr) << what;
    ASSERT_EQ(host.calls[i], call + " -> -4242") << what;
    const Stage stage = stages[i];

    const std::string keywords =
        stage == Stage::kReadKeywords ? faults::KeywordsRead(call, kDocumentKeywords) : "a; b; ";
    ASSERT_EQ(shown.size(), 6u) << what;
    EXPECT_EQ(shown[0], keywords) << what;
    for (std::size_t f = 0; f < kDocumentFields.size(); ++f) {
      const bool lost =
          stage == Stage::kReadFields && faults::FieldLost(call, stub::CodeText(kDocumentFields[f].first));
      EXPECT_EQ(shown[f + 1], lost ? std::string() : kDocumentFields[f].second) << what << " field " << f;
    }
    ExpectRecordedAndWritten(faults::StepReplaced(stage, call), stage != Stage::kRecord,
                             faults::Written(stage, call), kEdited, what);
    if (faults::Written(stage, call)) {
      EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"e1", "e2"})) << what;
    }
    EndRun(faults::IsFree(call));
    EXPECT_EQ(host.LiveObjects(), 0) << what;
    EXPECT_EQ(host.LiveBlocks(), blocks + blocksPerRun) << what;
    blocks = host.LiveBlocks();
  }
  EXPECT_TRUE(LogLines().empty());
}

// A replay: a recorded value that cannot be read is replayed, and recorded again, as empty.
TEST_F(PluginFaults, ReplayWithEachHostCallFailing) {
  ASSERT_EQ(Run(false), 0);
  const std::vector<std::string> baseline = host.calls;
  EndRun(false);
  const std::vector<Stage> stages = faults::StagesOf(baseline, false);
  ASSERT_EQ(stages.back(), Stage::kWrite);

  for (std::size_t i = 0; i < baseline.size(); ++i) {
    const std::string& call = baseline[i];
    const std::string what = "call " + std::to_string(i + 1) + " " + call;
    host.failCall = static_cast<int>(i + 1);
    EXPECT_EQ(Run(false), 0) << what;
    host.failCall = 0;
    const Stage stage = stages[i];
    Strings values = kPrevious;
    if (stage == Stage::kReadRecorded) {
      for (auto& value : values) {
        if (faults::FieldLost(call, stub::CodeText(value.first))) value.second.clear();
      }
    }
    ExpectRecordedAndWritten(faults::StepReplaced(stage, call), stage != Stage::kRecord,
                             faults::Written(stage, call), values, what);
    EndRun(faults::IsFree(call));
    EXPECT_EQ(host.LiveObjects(), 0) << what;
  }
  EXPECT_TRUE(LogLines().empty());
}

// The host's memory gives out at each allocation of a run in turn. An allocation that may fail
// (a keyword's read buffer) only loses its keyword and the run completes; any other ends the run
// with exactly one 'Parm' line in the log, 0 to the host, the dialog closed, nothing the run made
// left alive, and the document and the step either untouched or complete.
void PluginFaults::EachAllocationFailing(bool interactive) {
  // Counted on a second run: the first one also makes what the module keeps for later runs.
  ASSERT_EQ(Run(interactive), 0);
  EndRun(false);
  const int before = host.allocations;
  ASSERT_EQ(Run(interactive), 0);
  const int allocations = host.allocations - before;
  ASSERT_GT(allocations, 0);
  EndRun(false);
  const Strings& values = interactive ? kEdited : kPrevious;
  std::size_t logged = 0;
  for (int n = 1; n <= allocations; ++n) {
    const std::string what = "allocation " + std::to_string(n) + " of " + std::to_string(allocations);
    host.failAllocateAt = host.allocations + n;
    EXPECT_EQ(Run(interactive), 0) << what;
    host.failAllocateAt = 0;
    EXPECT_EQ(FindWindowA(nullptr, kEditorCaption), nullptr) << what;
    const std::vector<std::string> lines = LogLines();
    if (lines.size() == logged) {
      ASSERT_EQ(host.played.size(), 1u) << what << ": neither logged nor complete";
    } else {
      ASSERT_EQ(lines.size(), ++logged) << what;
      EXPECT_EQ(lines.back().substr(19), kParmLine) << what;
    }
    ExpectRecordedAndWritten(params.descriptor != previous, true, !host.played.empty(), values, what);
    EndRun(false);
    EXPECT_EQ(host.LiveObjects(), 0) << what;
  }
  EXPECT_GT(logged, 0u);
}

TEST_F(PluginFaults, ReplayWithEachAllocationFailing) {
  EachAllocationFailing(false);
}

TEST_F(PluginFaults, InteractiveRunWithEachAllocationFailing) {
  EachAllocationFailing(true);
}

// Each suite refused in turn, in a freshly loaded module (a suite once acquired is kept): the
// run ends with one 'Parm' line and 0 to the host, the dialog never opens, nothing is left
// alive, and what the run did before (a replay records its step first) is complete.
TEST_F(PluginFaults, EachRefusedSuiteEndsTheRunCleanly) {
  std::size_t logged = 0;
  for (const char* suite :
       {kPSActionDescriptorSuite, kPSActionListSuite, kPSActionReferenceSuite, kPSActionControlSuite}) {
    for (const bool interactive : {true, false}) {
      const std::string what = std::string(suite) + (interactive ? " interactive" : " replay");
      plugin.reset();  // unloaded before loading again, or the module would stay as it is
      plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
      host.refusedSuite = suite;
      EXPECT_EQ(Run(interactive), 0) << what;
      host.refusedSuite.clear();
      EXPECT_EQ(dialogs, 0) << what;
      EXPECT_EQ(FindWindowA(nullptr, kEditorCaption), nullptr) << what;
      const std::vector<std::string> lines = LogLines();
      ASSERT_EQ(lines.size(), ++logged) << what;
      EXPECT_EQ(lines.back().substr(19), kParmLine) << what;
      ExpectRecordedAndWritten(params.descriptor != previous, true, false, kPrevious, what);
      EndRun(false);
      EXPECT_EQ(host.LiveObjects(), 0) << what;
      plugin.reset();
      EXPECT_EQ(host.liveSuites, 0) << what;
      EXPECT_EQ(host.LiveBlocks(), 0) << what;
    }
  }
  plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
}

// Memory runs out while the name prompt, opened from the editor, saves a template: the failure
// passes out of the prompt and then out of the editor, closing both, and ends the run as above.
TEST_F(PluginFaults, FailureInsideANestedDialogClosesEveryDialog) {
  constexpr int kSaveTemplate = 7, kName = 1025, kNameOk = 3000;
  host.SetKeywords(kDocumentKeywords);
  for (const auto& field : kDocumentFields) host.SetField(field.first, field.second);
  params.descriptor = previous = host.MakeDescriptor(kPrevious);
  params.playInfo = kPlugInDialogDisplay;
  bool finished = false;
  const INT_PTR result =
      RunScripted([this] { return static_cast<INT_PTR>(plugin->DoIt(host, &params)); },
                  {OnWindow("Tavimor",
                            [](HWND editor) {
                              SetDlgItemTextA(editor, kFieldIds[1], "Edited title");
                              PostMessageA(GetDlgItem(editor, kSaveTemplate), BM_CLICK, 0, 0);
                            }),
                   OnWindow("Save Dialog",
                            [this](HWND prompt) {
                              SetDlgItemTextA(prompt, kName, "Studio");
                              host.failAllocate = true;
                              PostMessageA(GetDlgItem(prompt, kNameOk), BM_CLICK, 0, 0);
                            })},
                  &finished);
  host.failAllocate = false;
  EXPECT_TRUE(finished);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(FindWindowA(nullptr, "Save Dialog"), nullptr);
  EXPECT_EQ(FindWindowA(nullptr, kEditorCaption), nullptr);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(19), kParmLine);
  ExpectRecordedAndWritten(false, false, false, kPrevious, "nested");
}

// The editor loads the language services on its own once it is shown (its message WM_APP + 1).
// Watches the messages the thread takes from its queue: the load runs while that message is
// dispatched, so it begins with the one after. failAt > 0: the load's failAt-th allocation fails.
struct LanguageLoadWatch {
  static constexpr UINT kLoadLanguage = WM_APP + 1;
  stub::FakeHost* host = nullptr;
  int failAt = 0;
  int begin = -1, end = -1;  // the host's allocation count when the load began and ended
};
LanguageLoadWatch* g_loadWatch = nullptr;

LRESULT CALLBACK WatchLanguageLoad(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  LanguageLoadWatch& watch = *g_loadWatch;
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    if (watch.begin >= 0 && watch.end < 0) watch.end = watch.host->allocations;
    if (message->message == LanguageLoadWatch::kLoadLanguage && watch.begin < 0) {
      watch.begin = watch.host->allocations;
      if (watch.failAt > 0) watch.host->failAllocateAt = watch.begin + watch.failAt;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The host's memory gives out at each allocation of that load in turn, in a freshly loaded
// module each time: nothing is logged or shown, the editor stays open, and the first language
// operation (Add in the spell checker) loads the services again, keeping the user's word list.
TEST_F(PluginFaults, EachAllocationOfTheLanguageLoadFailing) {
  constexpr int kSpellCheckerCommand = 25000, kAdd = 1018;
  // The module's library: the classic root, or for the x64 module the user's (made here when
  // missing, so that nothing is moved into it).
  char folder[MAX_PATH] = {};
  if (sizeof(void*) == 8) {
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  } else {
    GetSystemDirectoryA(folder, sizeof folder);
  }
  const std::string root = std::string(folder) + (sizeof(void*) == 8 ? "\\Tavimor" : "") + "\\kwTemplates\\";
  std::filesystem::create_directories(root);
  host.SetKeywords({"zzyzx"});  // without dictionaries the spell check stops at every word
  LanguageLoadWatch watch;
  watch.host = &host;
  g_loadWatch = &watch;
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchLanguageLoad, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  int allocations = 0;  // of the load, counted in the first round, which fails nothing
  for (int n = 0; n <= allocations; ++n) {
    const std::string what = "allocation " + std::to_string(n) + " of " + std::to_string(allocations);
    plugin.reset();
    plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
    std::ofstream(root + "SavedWords.dat") << "qwixel\n";
    watch.failAt = n;
    watch.begin = watch.end = -1;
    params.playInfo = kPlugInDialogDisplay;
    bool finished = false;
    const INT_PTR result = RunScripted(
        [this] { return static_cast<INT_PTR>(plugin->DoIt(host, &params)); },
        {OnWindow(
             "Tavimor",
             [](HWND editor) { PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kSpellCheckerCommand, 0), 0); }),
         OnWindow("Spell Checker",
                  [](HWND dialog) {
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAdd, 0), 0);
                    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                  }),
         WhenClosed("Spell Checker"),
         OnWindow("Tavimor",
                  [](HWND editor) { PostMessageA(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0); })},
        &finished);
    host.failAllocateAt = 0;
    EXPECT_TRUE(finished) << what;
    EXPECT_EQ(result, kResultStop) << what;
    EXPECT_TRUE(LogLines().empty()) << what;
    std::ifstream in(root + "SavedWords.dat");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "qwixel\nzzyzx\n")
        << what;
    ASSERT_GE(watch.end, watch.begin) << what;
    if (n == 0) allocations = watch.end - watch.begin;
  }
  EXPECT_GT(allocations, 1);
  UnhookWindowsHookEx(hook);
  g_loadWatch = nullptr;
  plugin.reset();
  EXPECT_EQ(host.LiveBlocks(), 0);
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  plugin = std::make_unique<LoadedPlugin>(PLUGIN_PATH);
}

}  // namespace
