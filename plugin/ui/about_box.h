// The about box: the product's name and version, closed by a click or a key.
#pragma once

#include <windows.h>

#include "pi_dialog.h"
#include "version.h"

// Closes on a click on its surface and on Escape or Enter typed to the dialog itself.
class PIAboutBox : public PIDialog {
 public:
  void Message(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Version shown in the about box: the product's version, as the module's version resource has it.
constexpr const char kPluginVersion[] = TAVIMOR_VERSION;

// Runs the about box (resource 18502) through a PIAboutBox.
void ShowAboutBox();
