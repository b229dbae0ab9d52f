// The editor's commands, run from the one table of editor_command_table.h: each row is a command
// id or a range of menu ids (command_ids.h) with the menu text and the handler that carries it
// out. Buttons have one id each; a menu item's offset from the first id of its range is the index
// of its entry in the list the menu was built from.
#pragma once

#include <windows.h>

#include <cstddef>

#include "editor_dialog.h"
#include "list_menu.h"

// One command as it arrived: its id, the notification code, and the id's offset from the first
// id of its row (the index of a menu entry).
struct EditorCommandCall {
  int id;
  int code;
  std::size_t index;
};

using EditorCommandHandler = void (*)(EditorContext& editor, const EditorCommandCall& call);

struct EditorCommand {
  CommandRange ids;
  const char* menuText;  // a fixed menu item's; nullptr for the others
  EditorCommandHandler handler;
  // Menu commands refresh the keyword count afterwards; the dialog's own buttons do not.
  bool refreshesCount;
};

// The table's rows.
const EditorCommand* EditorCommandsBegin();
const EditorCommand* EditorCommandsEnd();

// The row holding id, or nullptr for an id no row holds.
const EditorCommand* FindEditorCommand(int id);

// The editor's WM_COMMAND: runs the handler of id's row, then refreshes the count where the row
// says so, and for an id no row holds (the edit controls' notifications, which is how typing
// keeps the count current).
void RunEditorCommand(EditorContext& editor, int id, int code);
