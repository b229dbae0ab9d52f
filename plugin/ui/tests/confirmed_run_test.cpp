// A whole interactive run with the real editor dialog against the stand-in host: what the library
// holds afterwards ("Last" and the recent values) after OK and after Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about_box.h"
#include "bridge_fixture.h"
#include "dialog_driver.h"
#include "editor_steps.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "keyword_library.h"
#include "library_commands.h"
#include "plugin_state.h"
#include "run_flow.h"
#include "temp_folder.h"

namespace {

// The state the run's shell works on: the running test's.
PluginState* g_plugin = nullptr;

bool RunRealEditor() {
  return RunEditorDialog(nullptr, *g_plugin) == IDOK;
}

FileInfoRecord& WorkingCopy() {
  return g_plugin->workingCopy;
}

void SaveLast(const FileInfoRecord& record) {
  SaveLastTemplate(g_plugin->Library(), record);
}

class ConfirmedRun : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    dir.MakeDir("Templates");
    dir.MakeDir("Groups");
    g_plugin = &plugin;
    host.SetField(Code("ObjN"), "Harbour");
    host.SetKeywords({"boat", "gull"});
  }

  // One "Do It" with the dialog, driven by script.
  int32 DoIt(DialogScript script) {
    const PluginShell shell = {ShowAboutBox, RunRealEditor, WorkingCopy, SaveLast, "confirmed_run_test.log"};
    PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogRequired, nullptr};
    bool finished = false;
    int32 result = 0;
    RunScripted(
        [&] {
          result = RunFlow(&params, shell);
          return 0;
        },
        std::move(script), &finished);
    EXPECT_TRUE(finished);
    if (params.descriptor) host.FreeDescriptor(params.descriptor);
    return result;
  }

  TempFolder dir;
  PluginState plugin{dir.Path()};
};

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + kLineEnd;
  return text;
}

TEST_F(ConfirmedRun, OkSavesLastAndTheRecentValuesCancelLeavesBothAlone) {
  EXPECT_EQ(DoIt({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, IDC_PHOTOGRAPHER, "R. Vale");
              PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            })}),
            0);
  const std::string last = Lines({"Copyright=", "Description=", "Keywords=boat; gull; ",
                                  "Photographer=R. Vale", "Title=Harbour", "URL="});
  const std::string recent = Lines(
      {"Title=Harbour", "Photographer=R. Vale", "Description=", "Keywords=boat; gull", "Copyright=", "URL="});
  EXPECT_EQ(dir.Read("Templates/Last.tmp"), last);
  EXPECT_EQ(dir.Read("Recent.dat"), recent);

  EXPECT_EQ(DoIt({OnEditor([](HWND dialog) {
              SetDlgItemTextA(dialog, IDC_TITLE, "Changed");
              PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            })}),
            Code("STOP"));
  EXPECT_EQ(dir.Read("Templates/Last.tmp"), last);
  EXPECT_EQ(dir.Read("Recent.dat"), recent);
}

}  // namespace
