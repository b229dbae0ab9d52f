// The tools menu of the editor's Tools button: the commands on the whole keyword box, then the
// keyword-group and folder submenus built from the group list. Platform-neutral.
#pragma once

#include <string>
#include <vector>

#include "keyword_text.h"
#include "list_menu.h"

// An installed language as the Languages submenu shows it: its name and whether it is chosen.
struct LanguageMenuItem {
  std::string name;
  bool chosen;
};

// The rows of the tools menu for a group list as ListGroups gives it (a header per folder,
// each followed by its groups; top-level groups first). The x64 builds add "Delete Duplicates,
// Ignoring Case" and the "Keyword Limit" submenu, keywordLimit (0 for none) checked in it, and,
// where languages are given, a "Languages" submenu listing them by name, the chosen ones checked
// (item i gets id kLanguageItems.first + i).
MenuRows LayoutToolsMenu(const TextList& groups, int keywordLimit = 0,
                         const std::vector<LanguageMenuItem>& languages = std::vector<LanguageMenuItem>());

// What the count label shows: the number of keywords, with a limit (above 0) "count / limit",
// and " !" after it when the count is over the limit.
std::string KeywordCountText(int count, int keywordLimit);
