#include "list_menu.h"

#include <gtest/gtest.h>

#include "menu_rows_text.h"
#include "plugin_text.h"

namespace {

std::string Layout(const TextList& list, CommandRange items, bool foldersOnly) {
  MenuRows rows;
  AppendListItems(rows, list, items, foldersOnly);
  return Describe(rows);
}

TEST(MenuDisplayText, CutsEntriesLongerThanFortyCharacters) {
  const std::string forty(40, 'k');
  EXPECT_EQ(MenuDisplayText(forty), forty);
  EXPECT_EQ(MenuDisplayText(forty + "X"), forty + "...");
  EXPECT_EQ(MenuDisplayText(ListHeader(forty)), forty);  // the mark does not count
  EXPECT_EQ(MenuDisplayText(ListHeader(forty + "X")), forty + "...");
  EXPECT_EQ(MenuDisplayText(""), "");
  // The user's text shows as itself: "_" is no header mark, "&" underlines nothing.
  EXPECT_EQ(MenuDisplayText("_DSC1234"), "_DSC1234");
  EXPECT_EQ(MenuDisplayText("AT&T"), "AT&&T");
  EXPECT_EQ(MenuDisplayText(ListHeader("R&D")), "R&&D");
  // Forty-one "Ł": forty characters in UTF-8; in the 32-bit build's single bytes, forty bytes.
  std::string letters;
  for (int i = 0; i < 41; ++i) letters += "\xC5\x81";
  EXPECT_EQ(MenuDisplayText(letters), letters.substr(0, kUtf8Text ? 80 : 40) + "...");
}

TEST(AppendListItems, HeadersOpenSubmenusAndIdsFollowTheWholeList) {
  EXPECT_EQ(Layout({"loose", ListHeader("Birds"), "owl", "wren", ListHeader("Trees"), "oak"}, kAddGroupItems,
                   false),
            "loose=27000, [Birds: owl=27002, wren=27003], [Trees: oak=27005]");
  // A header that collects nothing is not shown, wherever it stands.
  EXPECT_EQ(
      Layout({ListHeader("Empty"), ListHeader("Birds"), "owl", ListHeader("Last")}, kDeleteGroupItems, false),
      "[Birds: owl=28002]");
  EXPECT_EQ(Layout({ListHeader(""), "a"}, kLoadTemplateItems, false), "[: a=10001]");
  EXPECT_EQ(Layout({}, kLoadTemplateItems, false), "");
}

TEST(AppendListItems, FoldersOnlyListsTheHeadersAsItems) {
  EXPECT_EQ(Layout({"loose", ListHeader("Birds"), "owl", ListHeader("Trees")}, kSaveGroupItems, true),
            "Birds=26001, Trees=26003");
  EXPECT_EQ(Layout({"a", "b"}, kDeleteFolderItems, true), "");
}

TEST(AppendListItems, ItemsShowTheCutTextButKeepTheirIndex) {
  const std::string long41(41, 'w');
  MenuRows rows;
  AppendListItems(rows, {"x", long41}, RecentItems(3), false);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].text, std::string(40, 'w') + "...");
  EXPECT_EQ(rows[1].id, 34001);  // the command looks up entry 1, all 41 characters
}

TEST(AppendListItems, NeverHandsOutAnIdOfTheNextRange) {
  TextList many(1500, "t");
  MenuRows rows;
  AppendListItems(rows, many, kLoadTemplateItems, false);
  ASSERT_EQ(rows.size(), 1000u);
  EXPECT_EQ(rows.back().id, 10999);  // 11000 would delete a template

  // Recent titles have the narrow range 31000-31099.
  rows.clear();
  AppendListItems(rows, TextList(150, "t"), RecentItems(0), false);
  EXPECT_EQ(rows.back().id, 31099);

  // Entries beyond the range are dropped inside folders too.
  TextList grouped(1200, "g");
  grouped[0] = ListHeader("F");
  rows.clear();
  AppendListItems(rows, grouped, kAddGroupItems, false);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].submenu.size(), 999u);
}

TEST(FolderOfEntry, IsTheNearestHeaderBefore) {
  const TextList list = {"loose", ListHeader("Birds"), "owl", ListHeader("Trees"), "oak"};
  EXPECT_EQ(FolderOfEntry(list, 0), "");
  EXPECT_EQ(FolderOfEntry(list, 2), "Birds");
  EXPECT_EQ(FolderOfEntry(list, 4), "Trees");
  EXPECT_EQ(FolderOfEntry(list, 5), "");  // outside the list
  EXPECT_EQ(FolderOfEntry({}, 0), "");
}

TEST(ChosenEntry, IgnoresIndexesOutsideTheList) {
  const TextList list = {"Last", "Beach"};
  ASSERT_NE(ChosenEntry(list, 1), nullptr);
  EXPECT_EQ(*ChosenEntry(list, 1), "Beach");
  EXPECT_EQ(ChosenEntry(list, 2), nullptr);
  EXPECT_EQ(ChosenEntry({}, 0), nullptr);
}

TEST(LayoutListMenu, TemplateAndRecentMenusListAtTheTopLevel) {
  // Names and values are never headers, whatever they begin with.
  const TextList list = {"Last", "_Default", "x"};
  EXPECT_EQ(Describe(LayoutListMenu(kLoadTemplateMenuKind, list, "")), "Last=10000, _Default=10001, x=10002");
  EXPECT_EQ(Describe(LayoutListMenu(kRecentMenuKind, {"_DSC1234", "AT&T"}, "")),
            "_DSC1234=31000, AT&&T=31001");
  EXPECT_EQ(Describe(LayoutListMenu(kDeleteTemplateMenuKind, {"a"}, "")), "a=11000");
  for (int field = 0; field < 6; ++field) {
    const int kind = kRecentMenuKind + 1000 * field;
    EXPECT_EQ(Describe(LayoutListMenu(kind, {"v"}, "")), "v=" + std::to_string(kind));
  }
  EXPECT_TRUE(LayoutListMenu(31500, {"v"}, "").empty());
}

}  // namespace
