// Popup menu contents as data: every menu of the editor dialog is laid out here as rows and then
// turned into a real menu by one builder (popup_menu.h). Platform-neutral.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "keyword_text.h"

struct MenuRow {
  enum Kind { kItem, kSubmenu, kSeparator };
  Kind kind = kItem;
  std::string text;
  int id = 0;                    // command id of an item
  std::vector<MenuRow> submenu;  // rows of a submenu
};
using MenuRows = std::vector<MenuRow>;

// Longest entry shown as it is; longer entries show their first kMenuTextCut characters and "...".
constexpr std::size_t kMenuTextCut = 40;

// An entry beginning with "_" is a header: a folder marker or a meaning header.
bool IsMenuHeader(const std::string& entry);

// The text a menu shows for an entry: the header marker removed, then the display cut applied.
// Commands always act on the full entry taken from the list, never on this text.
std::string MenuDisplayText(const std::string& entry);

// Appends list's entries to menu; entry i gets the command id commandBase + i.
// Not folders only: a header opens a submenu holding the plain entries after it (a header that
// collects nothing is left out); plain entries before the first header go into menu itself.
// Folders only: each header becomes an item; plain entries are skipped.
// Entries whose id would fall outside commandBase's range (CommandRangeLast) are not offered,
// so an item can never fire the next range's command.
void AppendListItems(MenuRows& menu, const TextList& list, int commandBase, bool foldersOnly);

// The folder of list[index]: the nearest header before it, without its "_"; empty when no
// header precedes it or index is outside the list.
std::string FolderOfEntry(const TextList& list, std::size_t index);

// The entry behind a chosen menu item: list[id - commandBase], or nullptr when the list holds no
// such entry, in which case the command is ignored.
const std::string* ChosenEntry(const TextList& list, int commandBase, int id);

// Menu kinds of ShowListMenu: the first command id of the menu's items.
constexpr int kToolsMenuKind = 20000;
constexpr int kLoadTemplateMenuKind = 10000;
constexpr int kDeleteTemplateMenuKind = 11000;
constexpr int kSynonymMenuKind = 12000;
constexpr int kSuggestionMenuKind = 13000;
constexpr int kRecentMenuKind = 31000;  // + 1000 x field index, up to 36000

// The rows of a list menu of the given kind. Template and recent-value menus list the entries
// at the top level; kinds without a layout give no rows.
MenuRows LayoutListMenu(int kind, const TextList& list, const std::string& header);
