// The tools menu of the editor's Tools button: the commands on the whole keyword box, then the
// keyword-group and folder submenus built from the group list. Platform-neutral.
#pragma once

#include "keyword_text.h"
#include "list_menu.h"

// Command ids of the tools menu's fixed items.
constexpr int kDeleteDuplicatesCommand = 21000;
constexpr int kSortCommand = 22000;
constexpr int kUpperCaseCommand = 23000;
constexpr int kLowerCaseCommand = 24000;
constexpr int kSpellCheckerCommand = 25000;
constexpr int kCreateFolderCommand = 29000;
constexpr int kDefaultFolderCommand = 37000;

// The rows of the tools menu for a group list as ListGroups gives it (a header per folder,
// each followed by its groups; top-level groups first).
MenuRows LayoutToolsMenu(const TextList& groups);
