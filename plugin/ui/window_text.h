// The dialogs' text in the plug-in's text: every text a window shows or takes goes through here,
// to the Unicode forms of the window calls (system_text.h), so that the x64 build shows and takes
// any character and the 32-bit build its ANSI code page, as before. Positions in an edit control
// count UTF-16 units; TextOffset and TextUnits turn them into byte offsets of the plug-in's text
// and back.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

std::string ReadWindowText(HWND window);
std::wstring ReadWindowUnits(HWND window);  // as the window holds it, in UTF-16
std::string ReadItemText(HWND dialog, int id);
void WriteWindowText(HWND window, const char* text);
void WriteItemText(HWND dialog, int id, const char* text);
int ShowMessage(HWND owner, const char* text, const char* caption, UINT type);

// Replaces the selection of an edit control by text, as an undoable edit.
void ReplaceSelection(HWND edit, const char* text);

// Keeps an edit control within characters (UTF-16 units, as its limit counts) and bytes of the
// plug-in's text, called after each edit (EN_UPDATE). accepted is the text the control held
// before the edit and is kept up to date here. An edit that makes the text grow past either bound
// keeps the text around it and only as much of what it inserted as still fits, never part of a
// character; the caret stands after what was kept, and a beep says so. Nothing before the edit
// is taken back, and the cut itself is never cut again. Returns whether the edit was cut.
bool KeepEditWithin(HWND edit, std::wstring& accepted, std::size_t characters, std::size_t bytes);

// The byte offset in text that its first units UTF-16 units end at (never inside a character),
// and the units its first bytes bytes take.
std::size_t TextOffset(const std::string& text, std::size_t units);
std::size_t TextUnits(const std::string& text, std::size_t bytes);

// Runs a dialog from the plug-in's resources as a Unicode window.
INT_PTR RunDialog(HINSTANCE module, int resourceId, HWND owner, DLGPROC procedure, LPARAM parameter);
