// The editor dialog (resource 18501): six File Info fields, the live keyword count, and the
// buttons and menus that reach the keyword library, the keyword tools and the language services.
// The run flow fills the working copy of the plug-in's state (plugin_state.h), runs the dialog
// through RunEditorDialog, and copies the working copy back only when the result is 1 (2 means
// cancelled).
#pragma once

#include <windows.h>

#include <string>

#include "file_info.h"
#include "keyword_library.h"
#include "keyword_text.h"
#include "dialog_guard.h"
#include "dialog_placement_win32.h"
#include "editor_dialog_res.h"
#include "module_handle.h"

// Sent by the name prompt to the editor window: wParam points to the entered name (at most 99
// characters, valid only during the call), lParam is 0.
constexpr UINT WM_NAME_ENTERED = 9999;

// Posted by the editor to itself when it is shown: loads the language services while the user
// looks at the fields, so that the first word menu or spell check finds them ready.
constexpr UINT WM_LOAD_LANGUAGE = WM_APP + 1;

// State the editor keeps between menu openings while the plug-in is loaded.
struct EditorState {
  TextList menuList;    // entries of the last template, group, suggestion or synonym menu
  TextList recentList;  // entries of the last recent-values menu
  std::string targetFolder;
  int promptPurpose = 0;
  std::string currentWord;
  int wordFirst = -1;  // positions of the current word's first and last characters
  int wordLast = -1;
  WNDPROC keywordBoxProc = nullptr;  // the keyword box's procedure before subclassing
  int keywordLimit = 0;              // the limit the count is shown against (x64); 0 for none
  char spellBuffer[kKeywordTextSize] = {};
};

class PluginState;

// What the editor's commands work on: the window and the plug-in's state, whose working copy and
// editor state outlive one run of the dialog (the run flow reads the copy after the dialog has
// ended and fills it before the next).
struct EditorContext {
  HWND dialog;
  FileInfoRecord& fields;  // the working copy
  EditorState& state;
  KeywordLibrary& library;
};
// The context of a running editor dialog; the dialog must have had its WM_INITDIALOG.
EditorContext CurrentEditor(HWND dialog);

INT_PTR CALLBACK TavimorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the editor dialog over plugin's working copy, owned by owner, with procedure (TavimorProc
// unless a test watches it) and returns its result: IDOK, IDCANCEL, or -1 when it could not be
// shown. An exception inside the dialog goes on from here.
INT_PTR RunEditorDialog(HWND owner, PluginState& plugin, DLGPROC procedure = TavimorProc);

// The edit control of a FileInfoField; 0 for none.
int FieldControl(int field);

// Puts text into the edit control of field, cut to the characters the field holds (never inside
// one), so the box shows what OK writes.
void ShowField(HWND dialog, int field, const char* text);

// Sets the six edit controls of dialog from fields.
void ShowFields(HWND dialog, const FileInfoRecord& fields);

// Whether window is an editor of this process. A window found by its caption may be another
// process's editor (each host process runs its own) or no editor at all: only the window the
// caller was handed, checked here, is ever read or sent a pointer.
bool IsOwnEditor(HWND window);

// Reads the six edit controls of the editor dialog into fields, each cut to its field's capacity.
// When dialog is not an editor of this process fields are left unchanged.
void ReadFields(HWND dialog, FileInfoRecord& fields);

// Reads the editor's keyword box into text (size bytes, NUL included) when all of it fits; false,
// text unchanged, when the box holds more. A tool that reads the box this way never writes back
// less than it read.
bool ReadKeywordBox(HWND dialog, char* text, std::size_t size);

// Counts the keyword box and shows the number in the count label, against the keyword limit
// where one is set. The editor's commands and every notification of its boxes call it, so the
// count follows the user's typing.
void UpdateCount(HWND dialog);
