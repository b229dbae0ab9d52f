// The about box: the product's name and version, closed by a click or a key.
#pragma once

#include <windows.h>

#include "version.h"

// Version shown in the about box: the product's version, as the module's version resource has it.
constexpr const char kPluginVersion[] = TAVIMOR_VERSION;

// Runs the about box (resource 18502) over the active window. It has no state of its own.
void ShowAboutBox();

INT_PTR CALLBACK GenericProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
