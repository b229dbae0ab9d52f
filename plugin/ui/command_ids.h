// The command ids of the plug-in, in one place: the editor's buttons are its dialog's control
// ids (editor_dialog_res.h); every menu item's id is here, a fixed item's by name, a list menu's
// items as the range of ids its entries get. The ids do not overlap. Platform-neutral.
#pragma once

#include "editor_dialog_res.h"

// The dialog's OK and Cancel buttons, numbered as the system numbers them (winuser.h), for the
// platform-neutral code that reads the command table.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif

// The command ids a list menu hands out: entry i of the list gets first + i. Entries whose id
// would pass last are not offered, so an item can never fire the next range's command.
struct CommandRange {
  int first;
  int last;
  constexpr bool Holds(int id) const { return id >= first && id <= last; }
};

constexpr CommandRange One(int id) {
  return {id, id};
}

// The list menus' ranges. The tools menu's group and folder submenus list the group list.
constexpr CommandRange kLoadTemplateItems = {10000, 10999};
constexpr CommandRange kDeleteTemplateItems = {11000, 11999};
constexpr CommandRange kSynonymItems = {12000, 12999};
constexpr CommandRange kSuggestionItems = {13000, 13999};
constexpr CommandRange kSaveGroupItems = {26000, 26999};
constexpr CommandRange kAddGroupItems = {27000, 27999};
constexpr CommandRange kDeleteGroupItems = {28000, 28999};
constexpr CommandRange kDeleteFolderItems = {30000, 30999};
// The tools menu's "Keyword Limit" submenu (x64 builds): entry i sets kKeywordLimits[i].
constexpr CommandRange kKeywordLimitItems = {21010, 21013};
constexpr int kKeywordLimits[] = {0, 25, 49, 50};  // 0: no limit
// The tools menu's Languages submenu: the installed languages (x64 and ARM64 builds).
constexpr CommandRange kLanguageItems = {41000, 41999};

// The recent values shown on line line (0 to 5) of Recent.dat: 1000 ids from 31000 + 1000 x line,
// except recent titles, which have 100 (ten values fit either way).
constexpr CommandRange RecentItems(int line) {
  return {31000 + 1000 * line, line == 0 ? 31099 : 31999 + 1000 * line};
}

// The word menu's fixed items.
constexpr int kDeleteWordCommand = 15000;
constexpr int kWordUpperCaseCommand = 16000;
constexpr int kWordLowerCaseCommand = 17000;
constexpr int kSelectAllCommand = 18000;
constexpr int kAddToDictionaryCommand = 19000;

// The tools menu's fixed items.
constexpr int kDeleteDuplicatesCommand = 21000;
constexpr int kDeleteDuplicatesIgnoringCaseCommand = 21001;  // x64 builds
constexpr int kSortCommand = 22000;
constexpr int kUpperCaseCommand = 23000;
constexpr int kLowerCaseCommand = 24000;
constexpr int kSpellCheckerCommand = 25000;
constexpr int kCreateFolderCommand = 29000;
constexpr int kDefaultFolderCommand = 37000;
// The keyword-list items of the x64 and ARM64 builds' tools menu.
constexpr int kImportKeywordListCommand = 39500;
constexpr int kExportKeywordListCommand = 39600;
