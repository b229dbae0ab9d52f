// The name prompt (resource 121): asks for the name of a template, a keyword group or a group
// folder. It does not hand the name back to its caller: OK sends it to the editor window as
// WM_NAME_ENTERED, and the editor saves or creates while the prompt is still open. Every other
// way out (Cancel, Escape, Enter typed to the dialog, a click on its surface) sends nothing.
#pragma once

#include <windows.h>

// Longest name the prompt sends; longer input is cut.
constexpr int kNameLimit = 99;

// Runs the prompt modally over the active window. The result (3000 OK, 3001 Cancel, 1, 2 or 0)
// is of no use to callers: the name has already reached the editor.
INT_PTR ShowNamePrompt();

INT_PTR CALLBACK GenericSaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
