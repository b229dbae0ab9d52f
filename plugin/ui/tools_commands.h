// The editor's Tools button and the tools menu's commands on the whole keyword box. The group
// and folder items are in library_commands.h, "Spell Checker" with the spell-check dialog.
#pragma once

#include <windows.h>

#include "editor_commands.h"

// Fills the menu list with the keyword groups and shows the tools menu below the Tools button.
void OnToolsButton(EditorContext& editor, const EditorCommandCall& call);

// An item of the Languages submenu: the language is chosen or taken out of the choice, which is
// written beside the library at once.
void OnLanguage(EditorContext& editor, const EditorCommandCall& call);

// Sort, Delete Duplicates (also Ignoring Case), To Upper Case and To Lower Case: reads the keyword
// box, changes the text and puts it back. A text that would not fit the keyword text's capacity
// leaves the box as it was (with a beep where only the case changed). The x64 builds sort as the
// user's language does and change the case of every letter in it.
void OnKeywordTool(EditorContext& editor, const EditorCommandCall& call);

// An item of the "Keyword Limit" submenu: the count is shown against the chosen limit from now on,
// and the library keeps it for the next runs.
void OnKeywordLimit(EditorContext& editor, const EditorCommandCall& call);
