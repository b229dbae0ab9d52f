// Popup menu contents as data: every menu of the editor dialog is laid out here as rows and then
// turned into a real menu by one builder (list_menu_win32.h). Platform-neutral.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "command_ids.h"
#include "keyword_text.h"
#include "list_header.h"

struct MenuRow {
  enum Kind { kItem, kSubmenu, kSeparator };
  Kind kind = kItem;
  std::string text;
  int id = 0;                    // command id of an item
  bool checked = false;          // an item shown with a check mark
  std::vector<MenuRow> submenu;  // rows of a submenu
};
using MenuRows = std::vector<MenuRow>;

// Longest entry shown as it is; longer entries show their first kMenuTextCut characters (UTF-16
// units, in the 64-bit builds' UTF-8) and "...".
constexpr std::size_t kMenuTextCut = 40;

// A header of a list that carries them (list_header.h): a folder of the group list or a meaning
// of the thesaurus. Only the menus of those lists look for headers.
bool IsMenuHeader(const std::string& entry);

// The text a menu shows for an entry: a header's mark removed, the display cut applied, then each
// "&" doubled so that the menu shows it rather than underlining the next letter. Commands always
// act on the full entry taken from the list, never on this text.
std::string MenuDisplayText(const std::string& entry);

// Appends the entries of a list with headers to menu with the ids of items.
// Not folders only: a header opens a submenu holding the plain entries after it (a header that
// collects nothing is left out); plain entries before the first header go into menu itself.
// Folders only: each header becomes an item; plain entries are skipped.
void AppendListItems(MenuRows& menu, const TextList& list, CommandRange items, bool foldersOnly);

// Appends the entries of a list without headers (templates, recent values, suggestions) to menu
// as items with the ids of items, whatever their text.
void AppendPlainItems(MenuRows& menu, const TextList& list, CommandRange items);

// The folder of list[index]: the name of the nearest header before it; empty when no header
// precedes it or index is outside the list.
std::string FolderOfEntry(const TextList& list, std::size_t index);

// The entry behind the chosen menu item index (its id's offset in the menu's range): list[index],
// or nullptr when the list holds no such entry, in which case the command is ignored.
const std::string* ChosenEntry(const TextList& list, std::size_t index);

// Menu kinds of ShowListMenu: the first command id of the menu's items.
constexpr int kToolsMenuKind = 20000;
constexpr int kLoadTemplateMenuKind = kLoadTemplateItems.first;
constexpr int kDeleteTemplateMenuKind = kDeleteTemplateItems.first;
constexpr int kSynonymMenuKind = kSynonymItems.first;
constexpr int kSuggestionMenuKind = kSuggestionItems.first;
constexpr int kRecentMenuKind = RecentItems(0).first;  // + 1000 x line of Recent.dat, up to 36000

// The rows of a list menu of the given kind. Template and recent-value menus list every entry as
// an item at the top level; kinds without a layout give no rows.
MenuRows LayoutListMenu(int kind, const TextList& list, const std::string& header);
