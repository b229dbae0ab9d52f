// The editor's commands that reach the keyword library: the template buttons and menus, the
// keyword-group and folder items of the tools menu, the six recent-value buttons and menus, and
// what the editor does with a name from the name prompt. The library never shows a message;
// the confirmations and the "Delete Error" box are shown here. Each handler has the signature
// of the editor's command table (editor_dialog.cpp).
#pragma once

#include <windows.h>

#include "editor_commands.h"
#include "file_info.h"

// What a name from the prompt is for; set by the command that opens the prompt.
enum PromptPurpose {
  kSaveTemplatePurpose = 1,
  kSaveGroupPurpose = 2,
  kCreateFolderPurpose = 4,
};

// Buttons 6, 7, 8 and the template menus' items.
void OnLoadTemplateMenu(EditorContext& editor, const EditorCommandCall& call);
void OnSaveTemplate(EditorContext& editor, const EditorCommandCall& call);
void OnDeleteTemplateMenu(EditorContext& editor, const EditorCommandCall& call);
void OnLoadTemplate(EditorContext& editor, const EditorCommandCall& call);
void OnDeleteTemplate(EditorContext& editor, const EditorCommandCall& call);

// Group and folder items of the tools menu.
void OnAddGroup(EditorContext& editor, const EditorCommandCall& call);
void OnSaveGroup(EditorContext& editor, const EditorCommandCall& call);
void OnSaveGroupInDefaultFolder(EditorContext& editor, const EditorCommandCall& call);
void OnDeleteGroup(EditorContext& editor, const EditorCommandCall& call);
void OnCreateFolder(EditorContext& editor, const EditorCommandCall& call);
void OnDeleteFolder(EditorContext& editor, const EditorCommandCall& call);

// The "..." buttons 20 to 25 and the items of their menus.
void OnRecentMenu(EditorContext& editor, const EditorCommandCall& call);
void OnRecentValue(EditorContext& editor, const EditorCommandCall& call);

// WM_NAME_ENTERED: reads the six fields into the working copy, then saves the template or the
// group, or creates the group folder, as the prompt purpose says. name may be null (empty).
void OnNameEntered(EditorContext& editor, const char* name);

// The recent values: loaded into the library when the editor opens, and the accepted working
// copy merged into Recent.dat on OK. A missing or unwritable file changes nothing else.
void LoadRecentValues(EditorContext& editor);
void SaveRecentValues(EditorContext& editor);

// Saves an accepted run's values as the template "Last"; a failure is ignored.
void SaveLastTemplate(const KeywordLibrary& library, const FileInfoRecord& record);
