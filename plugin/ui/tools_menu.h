// The tools menu of the editor's Tools button: the commands on the whole keyword box, then the
// keyword-group and folder submenus built from the group list. Platform-neutral.
#pragma once

#include "keyword_text.h"
#include "list_menu.h"

// The rows of the tools menu for a group list as ListGroups gives it (a header per folder,
// each followed by its groups; top-level groups first).
MenuRows LayoutToolsMenu(const TextList& groups);
