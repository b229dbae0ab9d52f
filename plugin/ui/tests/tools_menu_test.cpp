#include "tools_menu.h"

#include <gtest/gtest.h>

#include "menu_rows_text.h"

#include "list_menu.h"

namespace {

const std::string kFixedItems =
    "Spell Checker=25000, Sort=22000, Delete Duplicates=21000, To Upper Case=23000, To Lower Case=24000, -, ";

TEST(ToolsMenu, WithoutGroupsOnlyDefaultFolderAndCreateFolderAreOffered) {
  EXPECT_EQ(
      Describe(LayoutListMenu(kToolsMenuKind, {}, "")),
      kFixedItems +
          "[Add Keyword's Group: ], [Save New Keyword's Group: Default Folder=37000], [Delete Group: ], "
          "[Groups Folders: Create New Folder=29000, [Delete Folder: ]]");
}

TEST(ToolsMenu, GroupsListDirectlyOrInTheirFolderAndFoldersKeepTheirIndex) {
  const TextList groups = {
      "Solo", ListHeader("Nature"), "Birds", "Trees", ListHeader("Empty"), ListHeader("Zoo"), "Birds"};
  EXPECT_EQ(
      Describe(LayoutToolsMenu(groups)),
      kFixedItems +
          "[Add Keyword's Group: Solo=27000, [Nature: Birds=27002, Trees=27003], [Zoo: Birds=27006]], "
          "[Save New Keyword's Group: Nature=26001, Empty=26004, Zoo=26005, Default Folder=37000], "
          "[Delete Group: Solo=28000, [Nature: Birds=28002, Trees=28003], [Zoo: Birds=28006]], "
          "[Groups Folders: Create New Folder=29000, [Delete Folder: Nature=30001, Empty=30004, Zoo=30005]]");
  // The folder behind a chosen group tells two groups of the same name apart.
  EXPECT_EQ(FolderOfEntry(groups, 2), "Nature");
  EXPECT_EQ(FolderOfEntry(groups, 6), "Zoo");
  EXPECT_EQ(FolderOfEntry(groups, 0), "");
}

TEST(ToolsMenu, LongNamesAreCutInEverySubmenu) {
  const std::string name(41, 'n');
  const MenuRows rows = LayoutToolsMenu({ListHeader(name), name});
  const std::string shown = std::string(40, 'n') + "...";
  EXPECT_EQ(rows[6].submenu[0].text, shown);             // folder submenu under Add
  EXPECT_EQ(rows[6].submenu[0].submenu[0].text, shown);  // group inside it
  EXPECT_EQ(rows[7].submenu[0].text, shown);             // folder item under Save
  EXPECT_EQ(rows[9].submenu[1].submenu[0].text, shown);  // folder item under Delete Folder
}

TEST(ToolsMenu, LanguagesAreCheckableItemsOfTheirOwnSubmenu) {
  const MenuRows rows = LayoutToolsMenu(
      {}, {{"Deutsch (Deutschland)", false}, {"English (United States)", true}, {"R&D", true}});
  EXPECT_EQ(Describe({rows.end() - 2, rows.end()}),
            "-, [Languages: Deutsch (Deutschland)=41000, English (United States)=41001 (checked), R&&D=41002 "
            "(checked)]");
  // None installed (and the 32-bit build, which lists none): no submenu.
  EXPECT_EQ(LayoutToolsMenu({}).size(), 10u);
}

}  // namespace
