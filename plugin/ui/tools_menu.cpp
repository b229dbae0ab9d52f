#include "tools_menu.h"

#include <string>

#include "editor_command_table.h"
#include "plugin_text.h"

namespace {

MenuRow Item(int id) {
  MenuRow row;
  row.text = MenuText(id);
  row.id = id;
  return row;
}

MenuRow Submenu(const char* text, MenuRows rows) {
  MenuRow row;
  row.kind = MenuRow::kSubmenu;
  row.text = text;
  row.submenu = std::move(rows);
  return row;
}

MenuRows ListRows(const TextList& groups, CommandRange items, bool foldersOnly) {
  MenuRows rows;
  AppendListItems(rows, groups, items, foldersOnly);
  return rows;
}

// None, 25, 49, 50: the current limit checked.
MenuRows KeywordLimitRows(int keywordLimit) {
  MenuRows rows;
  for (int i = 0; kKeywordLimitItems.first + i <= kKeywordLimitItems.last; ++i) {
    MenuRow row;
    row.id = kKeywordLimitItems.first + i;
    row.text = kKeywordLimits[i] == 0 ? "None" : std::to_string(kKeywordLimits[i]);
    row.checked = kKeywordLimits[i] == keywordLimit;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

MenuRows LayoutToolsMenu(const TextList& groups, int keywordLimit,
                         const std::vector<LanguageMenuItem>& languages) {
  MenuRows menu = {Item(kSpellCheckerCommand), Item(kSortCommand), Item(kDeleteDuplicatesCommand)};
  if (kUtf8Text) menu.push_back(Item(kDeleteDuplicatesIgnoringCaseCommand));
  menu.push_back(Item(kUpperCaseCommand));
  menu.push_back(Item(kLowerCaseCommand));
  if (kUtf8Text) menu.push_back(Submenu("Keyword Limit", KeywordLimitRows(keywordLimit)));
  MenuRow separator;
  separator.kind = MenuRow::kSeparator;
  menu.push_back(separator);

  menu.push_back(Submenu("Add Keyword's Group", ListRows(groups, kAddGroupItems, false)));
  MenuRows saveGroup = ListRows(groups, kSaveGroupItems, true);
  saveGroup.push_back(Item(kDefaultFolderCommand));
  menu.push_back(Submenu("Save New Keyword's Group", std::move(saveGroup)));
  menu.push_back(Submenu("Delete Group", ListRows(groups, kDeleteGroupItems, false)));
  menu.push_back(Submenu(
      "Groups Folders",
      {Item(kCreateFolderCommand), Submenu("Delete Folder", ListRows(groups, kDeleteFolderItems, true))}));
  if (kUtf8Text) {
    // Keyword lists: the 64-bit builds keep the library's text in UTF-8, as the lists are.
    menu.push_back(separator);
    menu.push_back(Item(kImportKeywordListCommand));
    menu.push_back(Item(kExportKeywordListCommand));
  }

  MenuRows languageRows;
  for (std::size_t i = 0;
       i < languages.size() && kLanguageItems.first + static_cast<int>(i) <= kLanguageItems.last; ++i) {
    MenuRow row;
    row.text = MenuDisplayText(languages[i].name);
    row.id = kLanguageItems.first + static_cast<int>(i);
    row.checked = languages[i].chosen;
    languageRows.push_back(row);
  }
  if (!languageRows.empty()) {
    menu.push_back(separator);
    menu.push_back(Submenu("Languages", std::move(languageRows)));
  }
  return menu;
}

std::string KeywordCountText(int count, int keywordLimit) {
  std::string text = std::to_string(count);
  if (keywordLimit <= 0) return text;
  text += " / " + std::to_string(keywordLimit);
  if (count > keywordLimit) text += " !";
  return text;
}
