#include "editor_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "list_header.h"
#include "list_menu.h"
#include "word_menu.h"

namespace {

TEST(EditorCommands, NoTwoRowsOverlap) {
  for (const EditorCommand* a = EditorCommandsBegin(); a != EditorCommandsEnd(); ++a) {
    EXPECT_LE(a->ids.first, a->ids.last) << a->ids.first;
    for (const EditorCommand* b = a + 1; b != EditorCommandsEnd(); ++b) {
      EXPECT_TRUE(a->ids.last < b->ids.first || b->ids.last < a->ids.first)
          << a->ids.first << "-" << a->ids.last << " and " << b->ids.first << "-" << b->ids.last;
    }
  }
}

// Collects the ids of every item of rows, submenus included.
void CollectIds(const MenuRows& rows, std::vector<int>& ids) {
  for (const MenuRow& row : rows) {
    if (row.kind == MenuRow::kItem && row.id != 0) ids.push_back(row.id);
    CollectIds(row.submenu, ids);
  }
}

TEST(EditorCommands, EveryIdAMenuProducesHasAMenuRow) {
  // More entries than any range holds, with folder headers among them, so every range is filled
  // to its end and the folder-only submenus have items too.
  TextList list;
  for (int i = 0; i < 1100; ++i) list.push_back(i % 100 == 50 ? ListHeader("folder") : "entry");
  std::vector<int> ids;
  for (int kind : {kToolsMenuKind, kLoadTemplateMenuKind, kDeleteTemplateMenuKind, kSynonymMenuKind,
                   kSuggestionMenuKind, kRecentMenuKind, kRecentMenuKind + 1000, kRecentMenuKind + 2000,
                   kRecentMenuKind + 3000, kRecentMenuKind + 4000, kRecentMenuKind + 5000}) {
    const std::size_t before = ids.size();
    CollectIds(LayoutListMenu(kind, list, "header"), ids);
    EXPECT_GT(ids.size(), before) << kind;
  }
  for (int id : ids) {
    const EditorCommand* command = FindEditorCommand(id);
    ASSERT_NE(command, nullptr) << id;
    EXPECT_TRUE(command->refreshesCount) << id;  // menu commands refresh the count afterwards
  }
}

TEST(EditorCommands, GapsAndControlNotificationsHaveNoRow) {
  // The edit controls' notifications must fall through so that they refresh the count.
  for (int field = 0; field < kFileInfoFieldCount; ++field)
    EXPECT_EQ(FindEditorCommand(FieldControl(field)), nullptr);
  for (int id : {0, 5, 19, 26, 14000, 15001, 20000, 29001, 37001, 65535}) {
    EXPECT_EQ(FindEditorCommand(id), nullptr) << id;
  }
}

}  // namespace
