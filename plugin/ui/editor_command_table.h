// The editor's commands as one table, a row each: the ids (a button's or a fixed menu item's id,
// or the range of a list menu's items; command_ids.h), the text of a fixed menu item (nullptr for
// the buttons, whose texts are the dialog's, and for list menus, whose texts are their entries),
// the handler that carries it out (editor_commands.cpp), and whether the keyword count is
// refreshed afterwards (menu commands do; the dialog's own buttons do not).
//
// The table is written once, here, and read twice: the menus take their items' texts from it
// (MenuText, platform-neutral) and the dialog its handlers (editor_commands.cpp).
#pragma once

#include "command_ids.h"
#include "field_controls.h"

// ROW(ids, menu text, handler, refreshes count)
#define EDITOR_COMMANDS(ROW)                                                          \
  /* The dialog's buttons. */                                                         \
  ROW(One(IDOK), nullptr, OnAccept, false)                                            \
  ROW(One(IDCANCEL), nullptr, OnCancel, false)                                        \
  ROW(One(IDC_COUNT_BUTTON), nullptr, OnCount, false)                                 \
  ROW(One(IDC_TOOLS), nullptr, OnToolsButton, false)                                  \
  ROW(One(IDC_LOAD_TEMPLATE), nullptr, OnLoadTemplateMenu, false)                     \
  ROW(One(IDC_SAVE_TEMPLATE), nullptr, OnSaveTemplate, false)                         \
  ROW(One(IDC_DELETE_TEMPLATE), nullptr, OnDeleteTemplateMenu, false)                 \
  ROW(RecentButtons(), nullptr, OnRecentMenu, false)                                  \
  ROW(One(IDC_ABOUT), nullptr, OnAbout, false)                                        \
  /* The template menus. */                                                           \
  ROW(kLoadTemplateItems, nullptr, OnLoadTemplate, true)                              \
  ROW(kDeleteTemplateItems, nullptr, OnDeleteTemplate, true)                          \
  /* The word menu. */                                                                \
  ROW(kSynonymItems, nullptr, OnSynonym, true)                                        \
  ROW(kSuggestionItems, nullptr, OnSuggestion, true)                                  \
  ROW(One(kDeleteWordCommand), "Delete Word", OnDeleteWord, true)                     \
  ROW(One(kWordUpperCaseCommand), "To Upper Case", OnWordCase, true)                  \
  ROW(One(kWordLowerCaseCommand), "To Lower Case", OnWordCase, true)                  \
  ROW(One(kSelectAllCommand), "Select All", OnSelectAll, true)                        \
  ROW(One(kAddToDictionaryCommand), "Add To Dictionary", OnAddToDictionary, true)     \
  /* The tools menu. */                                                               \
  ROW(One(kDeleteDuplicatesCommand), "Delete Duplicates", OnKeywordTool, true)        \
  ROW(One(kDeleteDuplicatesIgnoringCaseCommand), "Delete Duplicates, Ignoring Case",  \
      OnKeywordTool, true)                                                            \
  ROW(kKeywordLimitItems, nullptr, OnKeywordLimit, true)                              \
  ROW(One(kSortCommand), "Sort", OnKeywordTool, true)                                 \
  ROW(One(kUpperCaseCommand), "To Upper Case", OnKeywordTool, true)                   \
  ROW(One(kLowerCaseCommand), "To Lower Case", OnKeywordTool, true)                   \
  ROW(One(kSpellCheckerCommand), "Spell Checker", OnSpellChecker, true)               \
  ROW(kSaveGroupItems, nullptr, OnSaveGroup, true)                                    \
  ROW(kAddGroupItems, nullptr, OnAddGroup, true)                                      \
  ROW(kDeleteGroupItems, nullptr, OnDeleteGroup, true)                                \
  ROW(One(kCreateFolderCommand), "Create New Folder", OnCreateFolder, true)           \
  ROW(kDeleteFolderItems, nullptr, OnDeleteFolder, true)                              \
  ROW(One(kDefaultFolderCommand), "Default Folder", OnSaveGroupInDefaultFolder, true) \
  ROW(One(kImportKeywordListCommand), "Import Keyword List...", OnImportKeywordList, true) \
  ROW(One(kExportKeywordListCommand), "Export Keyword List...", OnExportKeywordList, true) \
  ROW(kLanguageItems, nullptr, OnLanguage, false)                                     \
  /* The recent-value menus of the "..." buttons. */                                  \
  ROW(RecentValueItems(), nullptr, OnRecentValue, true)

// The text of the fixed menu item id; "" for an id that is none.
constexpr const char* MenuText(int id) {
  struct Text {
    CommandRange ids;
    const char* text;
  };
#define EDITOR_COMMAND_TEXT(ids, text, handler, refreshes) Text{ids, text},
  constexpr Text kTexts[] = {EDITOR_COMMANDS(EDITOR_COMMAND_TEXT)};
#undef EDITOR_COMMAND_TEXT
  for (const Text& row : kTexts) {
    if (row.ids.Holds(id) && row.text != nullptr) return row.text;
  }
  return "";
}
