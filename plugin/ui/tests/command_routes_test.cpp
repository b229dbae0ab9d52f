#include "command_routes.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
  int id;
  EditorCommand command;
  int first;  // start of the range: the item's index is id - first
};

TEST(CommandRoutes, RangeEdgesReachTheirCommands) {
  using C = EditorCommand;
  const Expected table[] = {
      {1, C::kAccept, 1},
      {2, C::kCancel, 2},
      {3, C::kCount, 3},
      {4, C::kTools, 4},
      {6, C::kLoadTemplateMenu, 6},
      {7, C::kSaveTemplate, 7},
      {8, C::kDeleteTemplateMenu, 8},
      {20, C::kRecentMenu, 20},
      {25, C::kRecentMenu, 20},
      {1009, C::kAbout, 1009},
      {10000, C::kLoadTemplate, 10000},
      {10999, C::kLoadTemplate, 10000},
      {11000, C::kDeleteTemplate, 11000},
      {12999, C::kSynonym, 12000},
      {13000, C::kSuggestion, 13000},
      {15000, C::kDeleteWord, 15000},
      {16000, C::kWordUpperCase, 16000},
      {17000, C::kWordLowerCase, 17000},
      {18000, C::kSelectAll, 18000},
      {19000, C::kAddToDictionary, 19000},
      {21000, C::kDeleteDuplicates, 21000},
      {22000, C::kSort, 22000},
      {23000, C::kUpperCase, 23000},
      {24000, C::kLowerCase, 24000},
      {25000, C::kSpellChecker, 25000},
      {26999, C::kSaveGroup, 26000},
      {27000, C::kAddGroup, 27000},
      {28500, C::kDeleteGroup, 28000},
      {29000, C::kCreateFolder, 29000},
      {30999, C::kDeleteFolder, 30000},
      {31099, C::kRecentValue, 31000},
      {32000, C::kRecentValue, 32000},
      {36999, C::kRecentValue, 36000},
      {37000, C::kSaveGroupInDefaultFolder, 37000},
  };
  for (const Expected& e : table) {
    const CommandRoute* route = FindCommandRoute(e.id);
    ASSERT_NE(route, nullptr) << e.id;
    EXPECT_EQ(route->command, e.command) << e.id;
    EXPECT_EQ(route->first, e.first) << e.id;
    // Menu items refresh the count afterwards; the dialog's own buttons do not.
    EXPECT_EQ(route->refreshesCount, e.id >= 10000) << e.id;
  }
}

TEST(CommandRoutes, GapsAndControlNotificationsHaveNoRoute) {
  // The edit controls' notifications must fall through so that they refresh the count.
  for (int id : {0, 5, 19, 26, 1019, 1030, 1031, 1034, 1035, 1036, 14000, 15001, 20000, 29001, 31100, 31999,
                 37001, 65535}) {
    EXPECT_EQ(FindCommandRoute(id), nullptr) << id;
  }
}

TEST(CommandRoutes, RangeLastBoundsEveryMenuBase) {
  EXPECT_EQ(CommandRangeLast(10000), 10999);
  EXPECT_EQ(CommandRangeLast(31000), 31099);
  EXPECT_EQ(CommandRangeLast(36000), 36999);
  EXPECT_EQ(CommandRangeLast(15000), 15000);
  EXPECT_EQ(CommandRangeLast(12345), 12345);  // not a range start: one id at most
}

}  // namespace
