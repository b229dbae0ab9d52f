// The tools menu of the editor's Tools button: the commands on the whole keyword box, then the
// keyword-group and folder submenus built from the group list. Platform-neutral.
#pragma once

#include <string>

#include "keyword_text.h"
#include "list_menu.h"

// The rows of the tools menu for a group list as ListGroups gives it (a header per folder,
// each followed by its groups; top-level groups first). The x64 builds add "Delete Duplicates,
// Ignoring Case" and the "Keyword Limit" submenu, keywordLimit (0 for none) checked in it.
MenuRows LayoutToolsMenu(const TextList& groups, int keywordLimit = 0);

// What the count label shows: the number of keywords, with a limit (above 0) "count / limit",
// and " !" after it when the count is over the limit.
std::string KeywordCountText(int count, int keywordLimit);
