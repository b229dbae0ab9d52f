// The placement rule every dialog of the plug-in applies when it opens (dialog_placement.h holds
// its arithmetic).
#pragma once

#include <windows.h>

// Moves window to the centre of its owner's client area (the desktop's when it has none), a third
// of the way down, keeping it on the screen; size and z-order are kept.
void CenterDialog(HWND window);
