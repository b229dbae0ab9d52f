#include "tools_menu.h"

#include "editor_command_table.h"

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

}  // namespace

MenuRows LayoutToolsMenu(const TextList& groups, const std::vector<LanguageMenuItem>& languages) {
  MenuRows menu = {
      Item(kSpellCheckerCommand), Item(kSortCommand),      Item(kDeleteDuplicatesCommand),
      Item(kUpperCaseCommand),    Item(kLowerCaseCommand),
  };
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
