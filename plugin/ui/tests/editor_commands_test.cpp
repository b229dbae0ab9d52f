#include "editor_commands.h"

#include <gtest/gtest.h>

#include "library_commands.h"
#include "spell_check_dialog.h"
#include "tools_commands.h"
#include "word_menu_win32.h"

namespace {

struct Expected {
  int id;
  EditorCommandHandler handler;  // nullptr: one of the dialog's own buttons, handled inside
  int first;                     // start of the range: the item's index is id - first
};

TEST(EditorCommands, RangeEdgesReachTheirHandlers) {
  const Expected table[] = {
      {1, nullptr, 1},
      {2, nullptr, 2},
      {3, nullptr, 3},
      {4, OnToolsButton, 4},
      {6, OnLoadTemplateMenu, 6},
      {7, OnSaveTemplate, 7},
      {8, OnDeleteTemplateMenu, 8},
      {20, OnRecentMenu, 20},
      {25, OnRecentMenu, 20},
      {1009, nullptr, 1009},
      {10000, OnLoadTemplate, 10000},
      {10999, OnLoadTemplate, 10000},
      {11000, OnDeleteTemplate, 11000},
      {12999, OnSynonym, 12000},
      {13000, OnSuggestion, 13000},
      {15000, OnDeleteWord, 15000},
      {16000, OnWordCase, 16000},
      {17000, OnWordCase, 17000},
      {18000, OnSelectAll, 18000},
      {19000, OnAddToDictionary, 19000},
      {21000, OnKeywordTool, 21000},
      {22000, OnKeywordTool, 22000},
      {23000, OnKeywordTool, 23000},
      {24000, OnKeywordTool, 24000},
      {25000, OnSpellChecker, 25000},
      {26999, OnSaveGroup, 26000},
      {27000, OnAddGroup, 27000},
      {28500, OnDeleteGroup, 28000},
      {29000, OnCreateFolder, 29000},
      {30999, OnDeleteFolder, 30000},
      {31099, OnRecentValue, 31000},
      {32000, OnRecentValue, 32000},
      {36999, OnRecentValue, 36000},
      {37000, OnSaveGroupInDefaultFolder, 37000},
  };
  for (const Expected& e : table) {
    const EditorCommand* command = FindEditorCommand(e.id);
    ASSERT_NE(command, nullptr) << e.id;
    if (e.handler) {
      EXPECT_EQ(command->handler, e.handler) << e.id;
    }
    EXPECT_EQ(command->ids.first, e.first) << e.id;
    // Menu items refresh the count afterwards; the dialog's own buttons do not.
    EXPECT_EQ(command->refreshesCount, e.id >= 10000) << e.id;
  }
}

TEST(EditorCommands, GapsAndControlNotificationsHaveNoRow) {
  // The edit controls' notifications must fall through so that they refresh the count.
  for (int id : {0, 5, 19, 26, 1019, 1030, 1031, 1034, 1035, 1036, 14000, 15001, 20000, 29001, 31100, 31999,
                 37001, 65535}) {
    EXPECT_EQ(FindEditorCommand(id), nullptr) << id;
  }
}

}  // namespace
