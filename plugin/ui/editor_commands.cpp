#include "editor_commands.h"

#include "about_box.h"
#include "editor_dialog_res.h"
#include "library_commands.h"
#include "spell_check_dialog.h"
#include "tools_commands.h"
#include "tools_menu.h"
#include "word_menu.h"
#include "word_menu_win32.h"

namespace {

void OnAccept(EditorContext& editor, const EditorCommandCall& call) {
  if (call.code != 0) return;
  ReadFields(editor.dialog);
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

constexpr CommandRange One(int id) {
  return {id, id};
}

const EditorCommand kCommands[] = {
    // The dialog's buttons.
    {One(IDOK), OnAccept, false},
    {One(IDCANCEL), OnCancel, false},
    {One(IDC_COUNT_BUTTON), OnCount, false},
    {One(IDC_TOOLS), OnToolsButton, false},
    {One(IDC_LOAD_TEMPLATE), OnLoadTemplateMenu, false},
    {One(IDC_SAVE_TEMPLATE), OnSaveTemplate, false},
    {One(IDC_DELETE_TEMPLATE), OnDeleteTemplateMenu, false},
    {{IDC_RECENT_TITLE, IDC_RECENT_URL}, OnRecentMenu, false},
    {One(IDC_ABOUT), OnAbout, false},
    // The template menus.
    {kLoadTemplateItems, OnLoadTemplate, true},
    {kDeleteTemplateItems, OnDeleteTemplate, true},
    // The word menu.
    {kSynonymItems, OnSynonym, true},
    {kSuggestionItems, OnSuggestion, true},
    {One(kDeleteWordCommand), OnDeleteWord, true},
    {One(kWordUpperCaseCommand), OnWordCase, true},
    {One(kWordLowerCaseCommand), OnWordCase, true},
    {One(kSelectAllCommand), OnSelectAll, true},
    {One(kAddToDictionaryCommand), OnAddToDictionary, true},
    // The tools menu.
    {One(kDeleteDuplicatesCommand), OnKeywordTool, true},
    {One(kSortCommand), OnKeywordTool, true},
    {One(kUpperCaseCommand), OnKeywordTool, true},
    {One(kLowerCaseCommand), OnKeywordTool, true},
    {One(kSpellCheckerCommand), OnSpellChecker, true},
    {kSaveGroupItems, OnSaveGroup, true},
    {kAddGroupItems, OnAddGroup, true},
    {kDeleteGroupItems, OnDeleteGroup, true},
    {One(kCreateFolderCommand), OnCreateFolder, true},
    {kDeleteFolderItems, OnDeleteFolder, true},
    {One(kDefaultFolderCommand), OnSaveGroupInDefaultFolder, true},
    // The recent-value menus of the "..." buttons.
    {RecentItems(0), OnRecentValue, true},
    {RecentItems(1), OnRecentValue, true},
    {RecentItems(2), OnRecentValue, true},
    {RecentItems(3), OnRecentValue, true},
    {RecentItems(4), OnRecentValue, true},
    {RecentItems(5), OnRecentValue, true},
};

}  // namespace

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
