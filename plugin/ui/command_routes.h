// Routing of the editor dialog's command ids: which command an id stands for. Buttons have one
// id each; menu items come in ranges whose offset from the first id is the item's index in the
// list the menu was built from.
//
// Platform-neutral: the dialog maps each command to its handler (editor_dialog.cpp).
#pragma once

enum class EditorCommand {
  kAccept,              // 1, OK
  kCancel,              // 2, Cancel and the close box
  kCount,               // 3
  kTools,               // 4, opens the tools menu
  kLoadTemplateMenu,    // 6
  kSaveTemplate,        // 7
  kDeleteTemplateMenu,  // 8
  kRecentMenu,          // 20-25, the "..." buttons; index = field
  kAbout,               // 1009
  kLoadTemplate,
  kDeleteTemplate,
  kSynonym,
  kSuggestion,
  kDeleteWord,
  kWordUpperCase,
  kWordLowerCase,
  kSelectAll,
  kAddToDictionary,
  kDeleteDuplicates,
  kSort,
  kUpperCase,
  kLowerCase,
  kSpellChecker,
  kSaveGroup,  // folder chosen under "Save New Keyword's Group"
  kAddGroup,
  kDeleteGroup,
  kCreateFolder,
  kDeleteFolder,
  kRecentValue,  // one range per field, 31000 + 1000 x field
  kSaveGroupInDefaultFolder,
};

struct CommandRoute {
  int first;
  int last;
  EditorCommand command;
  // Menu commands refresh the keyword count afterwards; the dialog's own buttons do not.
  bool refreshesCount;
};

// The route holding id, or nullptr for an id no row holds (the dialog ignores it apart from
// refreshing the count, which is how the edit controls' notifications keep the count current).
const CommandRoute* FindCommandRoute(int id);

// Last id of the menu range that starts at commandBase, so a menu never hands out an id that
// belongs to the next range; commandBase itself when no range starts there.
int CommandRangeLast(int commandBase);
