#include "tools_menu.h"

#include <gtest/gtest.h>

#include "menu_rows_text.h"

#include "list_menu.h"
#include "plugin_text.h"

namespace {

// The x64 builds add the case-blind Delete Duplicates and the keyword limit, none chosen.
const std::string kFixedItems =
    kUtf8Text
        ? "Spell Checker=25000, Sort=22000, Delete Duplicates=21000, Delete Duplicates, Ignoring Case=21001, "
          "To Upper Case=23000, To Lower Case=24000, "
          "[Keyword Limit: None=21010*, 25=21011, 49=21012, 50=21013], -, "
        : "Spell Checker=25000, Sort=22000, Delete Duplicates=21000, To Upper Case=23000, To Lower "
          "Case=24000, -, ";
// The 64-bit builds' keyword-list items close the menu.
const std::string kListItems =
    kUtf8Text ? ", -, Import Keyword List...=39500, Export Keyword List...=39600" : "";

TEST(ToolsMenu, WithoutGroupsOnlyDefaultFolderAndCreateFolderAreOffered) {
  EXPECT_EQ(
      Describe(LayoutListMenu(kToolsMenuKind, {}, "")),
      kFixedItems +
          "[Add Keyword's Group: ], [Save New Keyword's Group: Default Folder=37000], [Delete Group: ], "
          "[Groups Folders: Create New Folder=29000, [Delete Folder: ]]" +
          kListItems);
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
          "[Groups Folders: Create New Folder=29000, [Delete Folder: Nature=30001, Empty=30004, Zoo=30005]]" +
          kListItems);
  // The folder behind a chosen group tells two groups of the same name apart.
  EXPECT_EQ(FolderOfEntry(groups, 2), "Nature");
  EXPECT_EQ(FolderOfEntry(groups, 6), "Zoo");
  EXPECT_EQ(FolderOfEntry(groups, 0), "");
}

TEST(ToolsMenu, TheKeywordLimitChosenIsCheckedAndCountedAgainst) {
  if (!kUtf8Text) GTEST_SKIP() << "x64 builds only";
  EXPECT_EQ(Describe(LayoutToolsMenu({}, 49)[6].submenu), "None=21010, 25=21011, 49=21012*, 50=21013");
  EXPECT_EQ(Describe(LayoutToolsMenu({}, 30)[6].submenu), "None=21010, 25=21011, 49=21012, 50=21013");
  const struct {
    int count, limit;
    const char* shown;
  } counts[] = {{7, 0, "7"}, {0, 25, "0 / 25"}, {49, 49, "49 / 49"}, {51, 50, "51 / 50 !"}};
  for (const auto& c : counts) EXPECT_EQ(KeywordCountText(c.count, c.limit), c.shown) << c.shown;
}

TEST(ToolsMenu, LongNamesAreCutInEverySubmenu) {
  const std::string name(41, 'n');
  const MenuRows rows = LayoutToolsMenu({ListHeader(name), name});
  const std::size_t first = kUtf8Text ? 8 : 6;  // the first group submenu
  const std::string shown = std::string(40, 'n') + "...";
  EXPECT_EQ(rows[first].submenu[0].text, shown);                 // folder submenu under Add
  EXPECT_EQ(rows[first].submenu[0].submenu[0].text, shown);      // group inside it
  EXPECT_EQ(rows[first + 1].submenu[0].text, shown);             // folder item under Save
  EXPECT_EQ(rows[first + 3].submenu[1].submenu[0].text, shown);  // folder item under Delete Folder
}

TEST(ToolsMenu, LanguagesAreCheckableItemsOfTheirOwnSubmenu) {
  const MenuRows rows = LayoutToolsMenu(
      {}, 0, {{"Deutsch (Deutschland)", false}, {"English (United States)", true}, {"R&D", true}});
  EXPECT_EQ(Describe({rows.end() - 2, rows.end()}),
            "-, [Languages: Deutsch (Deutschland)=41000, English (United States)=41001*, R&&D=41002*]");
  // None installed (and the 32-bit build, which lists none): no submenu.
  EXPECT_EQ(LayoutToolsMenu({}).size(), rows.size() - 2);
}

}  // namespace
