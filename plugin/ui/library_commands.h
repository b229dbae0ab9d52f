// The editor's commands that reach the keyword library: the template buttons and menus, the
// keyword-group and folder items of the tools menu, the six recent-value buttons and menus, and
// what the editor does with a name from the name prompt. The library never shows a message;
// the confirmations and the "Delete Error" box are shown here. Each handler has the signature
// of the editor's command table (editor_dialog.cpp).
#pragma once

#include <windows.h>

#include "command_routes.h"
#include "file_info.h"

// What a name from the prompt is for; set by the command that opens the prompt.
enum PromptPurpose {
  kSaveTemplatePurpose = 1,
  kSaveGroupPurpose = 2,
  kCreateFolderPurpose = 4,
};

// Buttons 6, 7, 8 and the template menus' items.
void OnLoadTemplateMenu(HWND dialog, const CommandRoute& route, int id, int code);
void OnSaveTemplate(HWND dialog, const CommandRoute& route, int id, int code);
void OnDeleteTemplateMenu(HWND dialog, const CommandRoute& route, int id, int code);
void OnLoadTemplate(HWND dialog, const CommandRoute& route, int id, int code);
void OnDeleteTemplate(HWND dialog, const CommandRoute& route, int id, int code);

// Group and folder items of the tools menu.
void OnAddGroup(HWND dialog, const CommandRoute& route, int id, int code);
void OnSaveGroup(HWND dialog, const CommandRoute& route, int id, int code);
void OnSaveGroupInDefaultFolder(HWND dialog, const CommandRoute& route, int id, int code);
void OnDeleteGroup(HWND dialog, const CommandRoute& route, int id, int code);
void OnCreateFolder(HWND dialog, const CommandRoute& route, int id, int code);
void OnDeleteFolder(HWND dialog, const CommandRoute& route, int id, int code);

// The "..." buttons 20 to 25 and the items of their menus.
void OnRecentMenu(HWND dialog, const CommandRoute& route, int id, int code);
void OnRecentValue(HWND dialog, const CommandRoute& route, int id, int code);

// WM_NAME_ENTERED: reads the six fields into the working copy, then saves the template or the
// group, or creates the group folder, as the prompt purpose says. name may be null (empty).
void OnNameEntered(const char* name);

// The recent values: loaded into the module's library when the editor opens, and the accepted
// working copy merged into Recent.dat on OK. A missing or unwritable file changes nothing else.
void LoadRecentValues();
void SaveRecentValues();

// Saves an accepted run's values as the template "Last"; a failure is ignored.
void SaveLastTemplate(const FileInfoRecord& record);
