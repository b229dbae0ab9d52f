// Runs the editor over a plug-in state of the test's own while a dialog script drives it; the
// script's last step ends the dialog, and a script that does not run to its end fails the test.
#pragma once

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "editor_dialog.h"
#include "plugin_state.h"

inline INT_PTR RunEditorScript(PluginState& plugin, DialogScript script, int timeoutMs = 15000) {
  bool finished = false;
  const INT_PTR result = RunScripted([&plugin] { return RunEditorDialog(nullptr, plugin); },
                                     std::move(script), &finished, timeoutMs);
  EXPECT_TRUE(finished) << "the dialog script did not run to its end";
  return result;
}
