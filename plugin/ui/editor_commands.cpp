#include "editor_commands.h"

#include <iterator>

#include "about_box.h"
#include "editor_command_table.h"
#include "editor_dialog_res.h"
#include "keyword_list_commands.h"
#include "library_commands.h"
#include "spell_check_dialog.h"
#include "tools_commands.h"
#include "tools_menu.h"
#include "word_menu.h"
#include "word_menu_win32.h"

namespace {

void OnAccept(EditorContext& editor, const EditorCommandCall& call) {
  if (call.code != 0) return;
  ReadFields(editor.dialog, editor.fields);
  SaveRecentValues(editor);
  EndDialog(editor.dialog, IDOK);
}

void OnCancel(EditorContext& editor, const EditorCommandCall& call) {
  if (call.code == 0) EndDialog(editor.dialog, IDCANCEL);
}

void OnCount(EditorContext& editor, const EditorCommandCall&) {
  UpdateCount(editor.dialog);
}

void OnAbout(EditorContext&, const EditorCommandCall&) {
  ShowAboutBox();
}

#define EDITOR_COMMAND_ROW(ids, text, handler, refreshes) EditorCommand{ids, text, handler, refreshes},
const EditorCommand kCommands[] = {EDITOR_COMMANDS(EDITOR_COMMAND_ROW)};
#undef EDITOR_COMMAND_ROW

}  // namespace

const EditorCommand* EditorCommandsBegin() {
  return std::begin(kCommands);
}

const EditorCommand* EditorCommandsEnd() {
  return std::end(kCommands);
}

const EditorCommand* FindEditorCommand(int id) {
  for (const EditorCommand& command : kCommands) {
    if (command.ids.Holds(id)) return &command;
  }
  return nullptr;
}

void RunEditorCommand(EditorContext& editor, int id, int code) {
  const EditorCommand* command = FindEditorCommand(id);
  if (command) {
    const EditorCommandCall call = {id, code, static_cast<std::size_t>(id - command->ids.first)};
    command->handler(editor, call);
  }
  if (!command || command->refreshesCount) UpdateCount(editor.dialog);
}
