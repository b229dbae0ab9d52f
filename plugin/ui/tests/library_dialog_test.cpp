// The template, group, folder and recent-value commands, the tools menu and the name prompt,
// driven through the real editor dialog on a library folder of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "editor_run.h"
#include "editor_steps.h"
#include "keyword_library.h"
#include "language_fixture.h"
#include "keyword_list_commands.h"
#include "library_commands.h"
#include "name_prompt.h"
#include "name_prompt_res.h"
#include "plugin_state.h"
#include "spell_check_dialog.h"
#include "spell_check_dialog_res.h"
#include "temp_folder.h"
#include "window_text.h"
#include "plugin_text.h"
#include "list_menu.h"
#include "stored_zip.h"

namespace {

constexpr const char kPromptCaption[] = "Save Dialog";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + kLineEnd;
  return text;
}

// Waits for the open popup menu, hands it to inspect, then closes it without a choice.
DialogStep OnMenu(std::function<void(HMENU)> inspect) {
  return {[inspect] {
    HMENU menu = OpenPopupMenu();
    if (!menu) return false;
    inspect(menu);
    EndMenu();
    return true;
  }};
}

// The menu items of the editor's menus, chosen as a click would choose them; an item the menu
// does not have fails the test.
DialogStep Choose(std::vector<std::string> path) {
  return ::Choose(path, [path] { ADD_FAILURE() << "no menu item " << path.back(); });
}

// Answers the message box of this caption with button after checking its text and its owner.
DialogStep Answer(const char* caption, std::string text, int button, bool ownedByEditor = true) {
  return {[caption, text, button, ownedByEditor] {
    HWND box = FindVisibleWindow("#32770", caption);
    if (!box) return false;
    EXPECT_EQ(ItemText(box, 0xFFFF), text);
    EXPECT_EQ(GetWindow(box, GW_OWNER), ownedByEditor ? EditorWindow() : nullptr) << caption;
    PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    return true;
  }};
}

// Types name into the open name prompt and presses its OK button.
DialogStep EnterName(std::string name) {
  return OnWindow(kPromptCaption, [name](HWND prompt) {
    SetDlgItemTextA(prompt, IDC_NAME, name.c_str());
    PostMessageA(GetDlgItem(prompt, IDC_NAME_OK), BM_CLICK, 0, 0);
  });
}

class LibraryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.MakeDir("Templates");
    dir.MakeDir("Groups");
  }

  // Runs the editor through script; the script's last step ends the dialog.
  INT_PTR Run(DialogScript script) { return RunEditorScript(plugin, std::move(script)); }

  TempFolder dir;
  PluginState plugin{dir.Path()};
};

TEST_F(LibraryDialogTest, TemplateMenusOfferLastFirstForLoadingAndNeverForDeleting) {
  std::string withoutTemplates, loadMenu, deleteMenu;
  Run({
      Click(IDC_LOAD_TEMPLATE),
      OnMenu([&](HMENU menu) { withoutTemplates = DescribeMenu(menu); }),
      Click(IDC_DELETE_TEMPLATE),
      // An empty delete menu is not shown at all.
      OnEditor([](HWND) { EXPECT_EQ(FindVisibleWindow(kMenuClass, nullptr), nullptr); }),
      Do([&] {
        dir.Write("Templates/Last.tmp", Lines({"Title=before"}));
        dir.Write("Templates/Studio.tmp", Lines({"Title=Dawn"}));
      }),
      Click(IDC_LOAD_TEMPLATE),
      OnMenu([&](HMENU menu) { loadMenu = DescribeMenu(menu); }),
      Click(IDC_DELETE_TEMPLATE),
      OnMenu([&](HMENU menu) { deleteMenu = DescribeMenu(menu); }),
      Click(IDCANCEL),
  });
  EXPECT_EQ(withoutTemplates, "Last=10000");
  EXPECT_EQ(loadMenu, "Last=10000, Studio=10001");
  EXPECT_EQ(deleteMenu, "Studio=11000");
}

// A template or recent value whose name begins with "_" is an item like any other: no submenu
// swallows the entries after it, and every item stands for its own entry.
TEST_F(LibraryDialogTest, NamesBeginningWithAnUnderscoreAreItemsOfTheirOwn) {
  dir.Write("Recent.dat", Lines({"Title=Dawn|_DSC1234|Harbour|Gulls"}));
  const char* const names[] = {"_m", "a", "_b", "z"};
  for (const char* name : names)
    dir.Write(std::string("Templates/") + name + ".tmp", Lines({std::string("Title=") + name}));
  std::string recentMenu, loadMenu;
  DialogScript script = {
      Click(IDC_RECENT_TITLE),
      OnMenu([&](HMENU menu) { recentMenu = DescribeMenu(menu); }),
      Click(IDC_RECENT_TITLE),
      Choose({"_DSC1234"}),
      OnEditor([](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_TITLE), "_DSC1234"); }),
      Click(IDC_LOAD_TEMPLATE),
      OnMenu([&](HMENU menu) { loadMenu = DescribeMenu(menu); }),
  };
  for (const char* name : {"_m", "a", "_b"}) {
    script.push_back(Click(IDC_LOAD_TEMPLATE));
    script.push_back(Choose({name}));
    script.push_back(OnEditor([name](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_TITLE), name); }));
  }
  script.push_back(Click(IDC_DELETE_TEMPLATE));
  script.push_back(Choose({"_b"}));
  script.push_back(Answer("Confirm Template Delete", "Are you sure you want to delete _b template?", IDYES));
  script.push_back(WhenClosed("Confirm Template Delete"));
  script.push_back(Click(IDCANCEL));
  Run(std::move(script));
  EXPECT_EQ(recentMenu, "Dawn=31000, _DSC1234=31001, Harbour=31002, Gulls=31003");
  EXPECT_EQ(loadMenu.find('['), std::string::npos) << loadMenu;
  for (const char* name : names)
    EXPECT_NE(loadMenu.find(std::string(name) + "="), std::string::npos) << loadMenu;
  for (const char* name : names)
    EXPECT_EQ(dir.Exists(std::string("Templates/") + name + ".tmp"), std::string(name) != "_b") << name;
}

TEST_F(LibraryDialogTest, LoadingATemplateReplacesAllSixFieldsAndEmptiesTheMissingOnes) {
  std::strcpy(plugin.workingCopy.photographer, "R. Vale");
  std::strcpy(plugin.workingCopy.url, "http://example.com");
  dir.Write("Templates/Studio.tmp",
            Lines({"Title=Dawn", "Keywords=fog; lake; ", "Copyright=Free use", "Description=Lake=still"}));
  dir.Write("Templates/Last.tmp", Lines({"Title=Last run"}));
  Run({
      Click(IDC_LOAD_TEMPLATE),
      Choose({"Studio"}),
      OnEditor([](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_TITLE), "Dawn");
        EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "fog; lake; ");
        EXPECT_EQ(ItemText(dialog, IDC_COPYRIGHT), "Free use");
        EXPECT_EQ(ItemText(dialog, IDC_DESCRIPTION), "Lake=still");
        EXPECT_EQ(ItemText(dialog, IDC_PHOTOGRAPHER), "");
        EXPECT_EQ(ItemText(dialog, IDC_URL), "");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "2");
      }),
      Click(IDC_LOAD_TEMPLATE),
      Choose({"Last"}),
      OnEditor([](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_TITLE), "Last run");
        EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "0");
      }),
      // "Last" is offered before the first run has saved it: loading it then empties every field.
      Do([&] { std::filesystem::remove(dir.Path() + "Templates/Last.tmp"); }),
      SetText(IDC_DESCRIPTION, "typed"),
      Click(IDC_LOAD_TEMPLATE),
      Choose({"Last"}),
      OnEditor([](HWND dialog) {
        for (int id : {IDC_TITLE, IDC_DESCRIPTION, IDC_KEYWORDS}) EXPECT_EQ(ItemText(dialog, id), "") << id;
      }),
      Click(IDCANCEL),
  });
}

TEST_F(LibraryDialogTest, DeletingATemplateWaitsForYes) {
  dir.Write("Templates/Studio.tmp", Lines({"Title=Dawn"}));
  const char* const question = "Are you sure you want to delete Studio template?";
  Run({
      Click(IDC_DELETE_TEMPLATE),
      Choose({"Studio"}),
      Answer("Confirm Template Delete", question, IDNO),
      WhenClosed("Confirm Template Delete"),
      OnEditor([&](HWND) { EXPECT_TRUE(dir.Exists("Templates/Studio.tmp")); }),
      Click(IDC_DELETE_TEMPLATE),
      Choose({"Studio"}),
      Answer("Confirm Template Delete", question, IDYES),
      WhenClosed("Confirm Template Delete"),
      OnEditor([&](HWND) { EXPECT_FALSE(dir.Exists("Templates/Studio.tmp")); }),
      Click(IDCANCEL),
  });
}

TEST_F(LibraryDialogTest, SaveTemplateSavesTheFieldsAsTheyStandUnderTheEnteredName) {
  dir.Write("Templates/Studio.tmp", Lines({"Title=old"}));
  const std::string longName(120, 'n');
  Run({
      SetText(IDC_TITLE, "Evening"),
      SetText(IDC_KEYWORDS, "fog; lake; "),
      SetText(IDC_COPYRIGHT, "Free use"),
      // An existing template is overwritten without a question.
      Click(IDC_SAVE_TEMPLATE),
      EnterName("Studio"),
      WhenClosed(kPromptCaption),
      // Names are cut to 99 characters.
      Click(IDC_SAVE_TEMPLATE),
      EnterName(longName),
      WhenClosed(kPromptCaption),
      Click(IDCANCEL),
  });
  EXPECT_EQ(dir.Read("Templates/Studio.tmp"),
            Lines({"Copyright=Free use", "Description=", "Keywords=fog; lake; ",
                   "Photographer=", "Title=Evening", "URL="}));
  EXPECT_TRUE(dir.Exists("Templates/" + longName.substr(0, kNameLimit) + ".tmp"));
  // The working copy took the fields on the way.
  EXPECT_STREQ(plugin.workingCopy.title, "Evening");
}

TEST_F(LibraryDialogTest, OnlyThePromptsOkButtonSavesAnything) {
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
  };
  const Way ways[] = {
      {"Cancel", [](HWND prompt) { PostMessageA(GetDlgItem(prompt, IDC_NAME_CANCEL), BM_CLICK, 0, 0); }},
      {"click outside the controls",
       [](HWND prompt) { PostMessageA(prompt, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }},
      {"Escape typed to the prompt", [](HWND prompt) { PostMessageA(prompt, WM_CHAR, VK_ESCAPE, 1); }},
      {"Escape key", [](HWND) { PostKey(VK_ESCAPE); }},
  };
  for (const Way& way : ways) {
    Run({
        Click(IDC_SAVE_TEMPLATE),
        OnWindow(kPromptCaption,
                 [&](HWND prompt) {
                   SetDlgItemTextA(prompt, IDC_NAME, "Unsaved");
                   SetFocus(GetDlgItem(prompt, IDC_NAME));
                   way.close(prompt);
                 }),
        WhenClosed(kPromptCaption),
        Click(IDCANCEL),
    });
    EXPECT_FALSE(dir.Exists("Templates/Unsaved.tmp")) << way.name;
  }
}

// A top-level window that looks like the editor to a search by caption (it even has a keyword
// box), on top of every other window; it counts the names it is sent.
int g_impostorNames = 0;
LRESULT CALLBACK ImpostorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NAME_ENTERED) ++g_impostorNames;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(LibraryDialogTest, NamePromptSendsTheNameOnlyToTheEditorThatOpenedIt) {
  WNDCLASSA type = {};
  type.lpfnWndProc = ImpostorProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "TavimorImpostor";
  RegisterClassA(&type);
  HWND impostor = nullptr;
  g_impostorNames = 0;
  Run({
      SetText(IDC_TITLE, "Dusk"),
      Do([&] {
        impostor = CreateWindowExA(WS_EX_TOPMOST, "TavimorImpostor", kEditorCaption, WS_POPUP, 0, 0, 50, 50,
                                   nullptr, nullptr, type.hInstance, nullptr);
        CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 10, 10, impostor,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_KEYWORDS)), type.hInstance, nullptr);
        ASSERT_EQ(FindWindowA(nullptr, kEditorCaption), impostor);
      }),
      Click(IDC_SAVE_TEMPLATE),
      EnterName("Dusk"),
      WhenClosed(kPromptCaption),
      OnEditor([](HWND editor) {
        EXPECT_TRUE(IsOwnEditor(editor));
        EXPECT_FALSE(IsOwnEditor(GetDesktopWindow()));  // another process's window
      }),
      Click(IDCANCEL),
  });
  DestroyWindow(impostor);
  EXPECT_EQ(g_impostorNames, 0);
  EXPECT_EQ(dir.Read("Templates/Dusk.tmp"),
            Lines({"Copyright=", "Description=", "Keywords=", "Photographer=", "Title=Dusk", "URL="}));
  EXPECT_STREQ(plugin.workingCopy.title, "Dusk");
}

// Checks every control of the prompt in creation order, with its text and place in dialog units.
void ExpectPromptLayout(HWND prompt) {
  EXPECT_FALSE(GetWindowLongA(prompt, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(LOWORD(SendMessageA(prompt, DM_GETDEFID, 0, 0)), IDC_NAME_OK);
  EXPECT_EQ(LayoutDifferences(prompt, {{IDC_STATIC, "", 7, 3, 147, 56},
                                       {IDC_STATIC, " Name:", 14, 16, 23, 8},
                                       {IDC_NAME, "", 43, 16, 98, 12},
                                       {IDC_NAME_CANCEL, "Cancel", 43, 36, 45, 14},
                                       {IDC_NAME_OK, "OK", 96, 36, 45, 14}}),
            "");
  // Clicks on the group box fall through to the prompt, which closes on them.
  HWND groupBox = GetWindow(prompt, GW_CHILD);
  RECT frame;
  GetWindowRect(groupBox, &frame);
  EXPECT_EQ(SendMessageA(groupBox, WM_NCHITTEST, 0, MAKELPARAM(frame.left + 2, frame.top + 20)),
            HTTRANSPARENT);
}

TEST(NamePrompt, FollowsItsLayoutAndReportsHowItWasClosed) {
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
    INT_PTR result;
  };
  const Way ways[] = {
      {"OK without an editor to receive the name",
       [](HWND prompt) { PostMessageA(GetDlgItem(prompt, IDC_NAME_OK), BM_CLICK, 0, 0); }, IDC_NAME_OK},
      {"Enter key", [](HWND) { PostKey(VK_RETURN); }, IDC_NAME_OK},
      {"Cancel", [](HWND prompt) { PostMessageA(GetDlgItem(prompt, IDC_NAME_CANCEL), BM_CLICK, 0, 0); },
       IDC_NAME_CANCEL},
      {"Escape key", [](HWND) { PostKey(VK_ESCAPE); }, IDCANCEL},
      {"click", [](HWND prompt) { PostMessageA(prompt, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }, 0},
      {"Enter typed to the prompt", [](HWND prompt) { PostMessageA(prompt, WM_CHAR, VK_RETURN, 1); }, 0},
  };
  bool first = true;
  for (const Way& way : ways) {
    bool finished = false;
    const INT_PTR result = RunScripted(
        [] { return ShowNamePrompt(); },
        {OnWindow(kPromptCaption,
                  [&](HWND prompt) {
                    if (first) {
                      ExpectPromptLayout(prompt);
                      // The name stops at what the prompt takes.
                      EXPECT_EQ(SendDlgItemMessageA(prompt, IDC_NAME, EM_GETLIMITTEXT, 0, 0), kNameLimit);
                    }
                    first = false;
                    SetFocus(GetDlgItem(prompt, IDC_NAME));
                    way.close(prompt);
                  })},
        &finished);
    EXPECT_TRUE(finished) << way.name;
    EXPECT_EQ(result, way.result) << way.name;
  }
}

TEST_F(LibraryDialogTest, ToolsMenuListsGroupsDirectlyAndInTheirFolders) {
  const std::string fixed =
      kUtf8Text
          ? "Spell Checker=25000, Sort=22000, Delete Duplicates=21000, Delete Duplicates, Ignoring "
            "Case=21001, To Upper Case=23000, To Lower Case=24000, [Keyword Limit: None=21010, 25=21011, "
            "49=21012, 50=21013], -, "
          : "Spell Checker=25000, Sort=22000, Delete Duplicates=21000, To Upper Case=23000, To Lower "
            "Case=24000, -, ";
  const std::string lists =
      kUtf8Text ? ", -, Import Keyword List...=39500, Export Keyword List...=39600" : "";
  std::string withoutGroups, withGroups, emptyFolder;
  Run({
      Click(IDC_TOOLS),
      OnMenu([&](HMENU menu) { withoutGroups = DescribeMenu(menu); }),
      Do([&] {
        dir.Write("Groups/Solo.tmp", Lines({"Keywords=one; "}));
        dir.Write("Groups/Nature/Birds.tmp", Lines({"Keywords=owl; "}));
      }),
      Click(IDC_TOOLS),
      OnMenu([&](HMENU menu) { withGroups = DescribeMenu(menu); }),
      Do([&] {
        std::filesystem::remove_all(dir.Path() + "Groups");
        dir.MakeDir("Groups/Empty");
      }),
      Click(IDC_TOOLS),
      OnMenu([&](HMENU menu) { emptyFolder = DescribeMenu(menu); }),
      Click(IDCANCEL),
  });
  EXPECT_EQ(withoutGroups,
            fixed +
                "[Add Keyword's Group: ], [Save New Keyword's Group: Default Folder=37000], "
                "[Delete Group: ], [Groups Folders: Create New Folder=29000, [Delete Folder: ]]" +
                lists);
  EXPECT_EQ(withGroups, fixed +
                            "[Add Keyword's Group: Solo=27000, [Nature: Birds=27002]], "
                            "[Save New Keyword's Group: Nature=26001, Default Folder=37000], "
                            "[Delete Group: Solo=28000, [Nature: Birds=28002]], "
                            "[Groups Folders: Create New Folder=29000, [Delete Folder: Nature=30001]]" +
                            lists);
  EXPECT_EQ(emptyFolder,
            fixed +
                "[Add Keyword's Group: ], [Save New Keyword's Group: Empty=26000, Default Folder=37000], "
                "[Delete Group: ], [Groups Folders: Create New Folder=29000, [Delete Folder: Empty=30000]]" +
                lists);
}

TEST_F(LibraryDialogTest, AddKeywordsGroupAppendsTheChosenFoldersGroupAndSelectsTheBox) {
  dir.Write("Groups/Nature/Birds.tmp", Lines({"Keywords=owl; wren; "}));
  dir.Write("Groups/Zoo/Birds.tmp", Lines({"Keywords=lion; "}));
  const std::string nearlyFull(9990, 'k');
  Run({
      SetText(IDC_KEYWORDS, "x; "),
      Click(IDC_TOOLS),
      Choose({"Add Keyword's Group", "Zoo", "Birds"}),
      OnEditor([](HWND dialog) {
        // "; " goes in whatever the box ends with.
        EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "x; ; lion; ");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "2");
        DWORD first = 1, last = 0;
        SendDlgItemMessageA(dialog, IDC_KEYWORDS, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                            reinterpret_cast<LPARAM>(&last));
        EXPECT_EQ(first, 0u);
        EXPECT_EQ(last, 11u);
      }),
      SetText(IDC_KEYWORDS, ""),
      Click(IDC_TOOLS),
      Choose({"Add Keyword's Group", "Nature", "Birds"}),
      OnEditor([](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "; owl; wren; "); }),
      // Near the capacity only the keywords that fit whole are added.
      SetText(IDC_KEYWORDS, nearlyFull),
      Click(IDC_TOOLS),
      Choose({"Add Keyword's Group", "Nature", "Birds"}),
      OnEditor([&](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), nearlyFull + "; owl;"); }),
      Click(IDCANCEL),
  });
}

TEST_F(LibraryDialogTest, NamePromptSavesGroupsAndCreatesFoldersAsTheOpeningCommandSays) {
  dir.MakeDir("Groups/Nature");
  Run({
      SetText(IDC_KEYWORDS, "a; b; "),
      Click(IDC_TOOLS),
      Choose({"Save New Keyword's Group", "Nature"}),
      EnterName("Trees"),
      WhenClosed(kPromptCaption),
      Click(IDC_TOOLS),
      Choose({"Save New Keyword's Group", "Default Folder"}),
      EnterName("Top"),
      WhenClosed(kPromptCaption),
      Click(IDC_TOOLS),
      Choose({"Groups Folders", "Create New Folder"}),
      EnterName("Flowers"),
      WhenClosed(kPromptCaption),
      // A cancelled folder creation leaves nothing behind, and Save Template sets its own purpose.
      Click(IDC_TOOLS),
      Choose({"Groups Folders", "Create New Folder"}),
      OnWindow(kPromptCaption,
               [](HWND prompt) {
                 SetDlgItemTextA(prompt, IDC_NAME, "Never");
                 PostMessageA(GetDlgItem(prompt, IDC_NAME_CANCEL), BM_CLICK, 0, 0);
               }),
      WhenClosed(kPromptCaption),
      Click(IDC_SAVE_TEMPLATE),
      EnterName("Plain"),
      WhenClosed(kPromptCaption),
      Click(IDCANCEL),
  });
  EXPECT_EQ(dir.Read("Groups/Nature/Trees.tmp"), Lines({"Keywords=a; b; "}));
  EXPECT_EQ(dir.Read("Groups/Top.tmp"), Lines({"Keywords=a; b; "}));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "Groups/Flowers"));
  EXPECT_FALSE(dir.Exists("Groups/Never"));
  EXPECT_FALSE(dir.Exists("Templates/Never"));
  EXPECT_TRUE(dir.Exists("Templates/Plain.tmp"));
  EXPECT_FALSE(dir.Exists("Groups/Plain"));
}

TEST_F(LibraryDialogTest, DeletionsWaitForYesAndANonEmptyFolderIsKeptWithAnError) {
  dir.Write("Groups/Nature/Birds.tmp", Lines({"Keywords=owl; "}));
  dir.Write("Groups/Zoo/Birds.tmp", Lines({"Keywords=lion; "}));
  dir.MakeDir("Groups/Empty");
  const char* const groupQuestion = "Are you sure you want to delete Birds group?";
  Run({
      Click(IDC_TOOLS),
      Choose({"Delete Group", "Zoo", "Birds"}),
      Answer("Confirm Group Delete", groupQuestion, IDNO),
      WhenClosed("Confirm Group Delete"),
      OnEditor([&](HWND) { EXPECT_TRUE(dir.Exists("Groups/Zoo/Birds.tmp")); }),
      Click(IDC_TOOLS),
      Choose({"Delete Group", "Zoo", "Birds"}),
      Answer("Confirm Group Delete", groupQuestion, IDYES),
      WhenClosed("Confirm Group Delete"),
      OnEditor([&](HWND) {
        EXPECT_FALSE(dir.Exists("Groups/Zoo/Birds.tmp"));
        EXPECT_TRUE(dir.Exists("Groups/Nature/Birds.tmp"));
      }),
      Click(IDC_TOOLS),
      Choose({"Groups Folders", "Delete Folder", "Nature"}),
      Answer("Confirm Folder Delete", "Are you sure you want to delete Nature Folder?", IDYES),
      Answer("Delete Error", "Failed to Delete folder\nCan't delete non empty folders.", IDOK, false),
      WhenClosed("Delete Error"),
      OnEditor([&](HWND) { EXPECT_TRUE(dir.Exists("Groups/Nature/Birds.tmp")); }),
      Click(IDC_TOOLS),
      Choose({"Groups Folders", "Delete Folder", "Empty"}),
      Answer("Confirm Folder Delete", "Are you sure you want to delete Empty Folder?", IDNO),
      WhenClosed("Confirm Folder Delete"),
      OnEditor([&](HWND) { EXPECT_TRUE(dir.Exists("Groups/Empty")); }),
      Click(IDC_TOOLS),
      Choose({"Groups Folders", "Delete Folder", "Empty"}),
      Answer("Confirm Folder Delete", "Are you sure you want to delete Empty Folder?", IDYES),
      WhenClosed("Confirm Folder Delete"),
      OnEditor([&](HWND) {
        EXPECT_FALSE(dir.Exists("Groups/Empty"));
        EXPECT_EQ(FindVisibleWindow("#32770", "Delete Error"), nullptr);
      }),
      Click(IDCANCEL),
  });
}

TEST_F(LibraryDialogTest, EachRecentMenuFillsItsOwnField) {
  dir.Write("Recent.dat",
            Lines({"Title=Dawn|Lake at dusk", "Photographer=R. Vale|J. Doe", "Description=Boats|Gulls",
                   "Keywords=a; b|c; d; e", "Copyright=Free use|(c) 2006", "URL=http://a|http://b"}));
  struct Row {
    int button;
    int field;
    const char* menu;
    const char* chosen;
  };
  const Row rows[] = {
      {IDC_RECENT_TITLE, IDC_TITLE, "Dawn=31000, Lake at dusk=31001", "Lake at dusk"},
      {IDC_RECENT_PHOTOGRAPHER, IDC_PHOTOGRAPHER, "R. Vale=32000, J. Doe=32001", "J. Doe"},
      {IDC_RECENT_DESCRIPTION, IDC_DESCRIPTION, "Boats=33000, Gulls=33001", "Gulls"},
      {IDC_RECENT_KEYWORDS, IDC_KEYWORDS, "a; b=34000, c; d; e=34001", "c; d; e"},
      {IDC_RECENT_COPYRIGHT, IDC_COPYRIGHT, "Free use=35000, (c) 2006=35001", "(c) 2006"},
      {IDC_RECENT_URL, IDC_URL, "http://a=36000, http://b=36001", "http://b"},
  };
  DialogScript script = {SetText(IDC_KEYWORDS, "x, y")};
  for (const Row& row : rows) {
    script.push_back(Click(row.button));
    script.push_back(OnMenu([row](HMENU menu) { EXPECT_EQ(DescribeMenu(menu), row.menu); }));
    script.push_back(Click(row.button));
    script.push_back(Choose({row.chosen}));
    script.push_back(OnEditor([row](HWND dialog) { EXPECT_EQ(ItemText(dialog, row.field), row.chosen); }));
  }
  // The chosen keyword text replaced the whole box, and the count followed.
  script.push_back(OnEditor([](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_COUNT), "3"); }));
  script.push_back(Click(IDCANCEL));
  Run(std::move(script));
}

// A recent value or a template longer than its field (a file edited by hand) is cut to the
// field's capacity in characters when it is put into the box, so the box shows what OK writes,
// and editing it then changes only what was edited.
TEST_F(LibraryDialogTest, AValueLongerThanItsFieldIsCutWhenPutIntoTheBox) {
  const std::string letter = kUtf8Text ? "\xC5\x81" : "\xE9";  // two bytes in UTF-8
  auto repeat = [&](std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += letter;
    return text;
  };
  dir.Write("Recent.dat", Lines({"Title=" + repeat(300) + "|Dawn"}));
  dir.Write("Templates/Long.tmp", Lines({"Description=" + repeat(1200), "URL=" + repeat(260)}));
  const INT_PTR result = Run({
      Click(IDC_LOAD_TEMPLATE),
      Choose({"Long"}),
      Click(IDC_RECENT_TITLE),
      OnMenu([](HMENU) {}),
      OnEditor([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(RecentItems(0).first, 0), 0);
        EXPECT_EQ(ReadItemText(dialog, IDC_TITLE), repeat(255));
        EXPECT_EQ(ReadItemText(dialog, IDC_DESCRIPTION), repeat(999));
        EXPECT_EQ(ReadItemText(dialog, IDC_URL), repeat(255));
        // Typed over, the first letter is replaced and nothing else goes.
        HWND title = GetDlgItem(dialog, IDC_TITLE);
        SendMessageW(title, EM_SETSEL, 0, 1);
        SendMessageW(title, WM_CHAR, 'A', 1);
        SendMessageW(title, EM_SETSEL, 255, 255);
        SendMessageW(title, WM_CHAR, 'B', 1);
        EXPECT_EQ(ReadItemText(dialog, IDC_TITLE), "A" + repeat(254));
      }),
      Click(IDOK),
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(plugin.workingCopy.title, "A" + repeat(254));
  EXPECT_EQ(plugin.workingCopy.description, repeat(999));
  EXPECT_EQ(plugin.workingCopy.url, repeat(255));
}

TEST_F(LibraryDialogTest, OkMergesTheFieldsIntoRecentDatAndTheNextDialogOffersThem) {
  std::strcpy(plugin.workingCopy.title, "Dawn");
  EXPECT_EQ(Run({Click(IDOK)}), IDOK);
  EXPECT_EQ(dir.Read("Recent.dat"),
            Lines({"Title=Dawn", "Photographer=", "Description=", "Keywords=", "Copyright=", "URL="}));

  // The same keywords confirmed again move to the front instead of being stored twice.
  for (const char* keywords : {"fog; lake; ", "owl; ", "fog; lake; "}) {
    std::strcpy(plugin.workingCopy.keywords, keywords);
    EXPECT_EQ(Run({Click(IDOK)}), IDOK);
  }
  EXPECT_EQ(
      dir.Read("Recent.dat"),
      Lines({"Title=Dawn", "Photographer=", "Description=", "Keywords=fog; lake|owl", "Copyright=", "URL="}));

  // Cancel leaves the file alone; the dialog loaded it when it opened.
  std::string offered;
  Run({Click(IDC_RECENT_KEYWORDS), OnMenu([&](HMENU menu) { offered = DescribeMenu(menu); }),
       SetText(IDC_TITLE, "Changed"), Click(IDCANCEL)});
  EXPECT_EQ(offered, "fog; lake=34000, owl=34001");
  EXPECT_EQ(
      dir.Read("Recent.dat"),
      Lines({"Title=Dawn", "Photographer=", "Description=", "Keywords=fog; lake|owl", "Copyright=", "URL="}));
}

TEST_F(LibraryDialogTest, KeywordToolsRewriteTheWholeBox) {
  struct Row {
    const char* item;
    std::string before;
    std::string after;
  };
  const std::string tooLongSorted = [] {
    std::string text;
    while (text.size() < 9990) text += "k,";
    return text;
  }();
  const Row rows[] = {
      {"Sort", " pear, Apple;apple ; pear", "Apple; apple; pear; pear; "},
      {"Delete Duplicates", " pear, Apple;apple ; pear", "pear; Apple; apple; "},
      // The ANSI build changes the ASCII letters only; the x64 builds every letter.
      {"To Upper Case", "\xE9t\xE9, Zoo;b", kUtf8Text ? "\xC9T\xC9, ZOO;B" : "\xE9T\xE9, ZOO;B"},
      {"To Lower Case", "\xC9T\xC9, Zoo;B", kUtf8Text ? "\xE9t\xE9, zoo;b" : "\xC9t\xC9, zoo;b"},
      {"Sort", "", ""},
      {"Delete Duplicates", "", ""},
      {"To Upper Case", "", ""},
      // "k; " for every "k," would pass the keyword text's capacity: the box stays as it was.
      {"Sort", tooLongSorted, tooLongSorted},
      {"Delete Duplicates", tooLongSorted, "k; "},
  };
  DialogScript script;
  for (const Row& row : rows) {
    script.push_back(SetText(IDC_KEYWORDS, row.before));
    script.push_back(Click(IDC_TOOLS));
    script.push_back(Choose({row.item}));
    script.push_back(
        OnEditor([&row](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), row.after) << row.item; }));
  }
  script.push_back(Click(IDCANCEL));
  Run(std::move(script));
}

TEST_F(LibraryDialogTest, AnAcceptedRunIsSavedAsTheTemplateLast) {
  FileInfoRecord record;
  ClearFileInfo(record);
  std::strcpy(record.title, "Dawn");
  std::strcpy(record.keywords, "fog; lake; ");
  SaveLastTemplate(plugin.Library(), record);
  EXPECT_EQ(dir.Read("Templates/Last.tmp"), Lines({"Copyright=", "Description=", "Keywords=fog; lake; ",
                                                   "Photographer=", "Title=Dawn", "URL="}));
}

// The tools menu's "Spell Checker" hands the keyword box to the spell-check dialog and takes the
// result back; Cancel there leaves the box as it was.
// The x64 builds list every installed language in the Languages submenu by its own name, a German
// extension placed by hand among them; a chosen one is checked, checks words at once and stays
// chosen in the next load.
TEST_F(LibraryDialogTest, LanguagesSubmenuChoosesLanguagesAndTheChoiceIsKept) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build has en_US only";
  namespace fs = std::filesystem;
  const std::string system = SYSTEM_DICTIONARIES;
  fs::copy_file(system + "/hunspell/en_US.aff", fs::path(dir.Path()) / "en_US.aff");
  fs::copy_file(system + "/hunspell/en_US.dic", fs::path(dir.Path()) / "en_US.dic");
  const std::string xcu =
      "<oor:component-data><node oor:name=\"Dictionaries\"><node oor:name=\"HunSpellDic_de\">"
      "<prop oor:name=\"Locations\"><value>%origin%/de/de_DE.aff %origin%/de/de_DE.dic</value></prop>"
      "<prop oor:name=\"Format\"><value>DICT_SpellChecker</value></prop>"
      "<prop oor:name=\"Locales\"><value>de-DE de-AT</value></prop></node></node></oor:component-data>";
  dir.Write("Dictionaries/Deutsch.oxt",
            StoredZip({{"dictionaries.xcu", xcu},
                       {"de/de_DE.aff", "SET UTF-8\nTRY esianrtolcdugmphbyfvkwzqxj\xC3\x9F\n"},
                       {"de/de_DE.dic",
                        "1\nStra\xC3\x9F"
                        "e\n"}}));
  const std::string street =
      "Stra\xC3\x9F"
      "e";
  const std::string english = "English (United States)", german = "Deutsch (Deutschland)";
  auto checked = [](HMENU menu, const std::string& name) {
    const int id = MenuItemId(menu, {"Languages", name});
    EXPECT_NE(id, -1) << name << " in " << DescribeMenu(menu);
    return id != -1 && (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
  };
  bool englishFirst = false, germanFirst = true, germanThen = false;
  Run({
      Click(IDC_TOOLS),
      OnMenu([&](HMENU menu) {
        englishFirst = checked(menu, english);
        germanFirst = checked(menu, german);
      }),
      Do([&] { EXPECT_EQ(plugin.Library().IsWordCorrect(street.c_str()), germanFirst); }),
      Click(IDC_TOOLS),
      Choose({"Languages", german}),
      Click(IDC_TOOLS),
      OnMenu([&](HMENU menu) { germanThen = checked(menu, german); }),
      Click(IDCANCEL),
  });
  EXPECT_TRUE(englishFirst);
  EXPECT_NE(germanThen, germanFirst);
  EXPECT_EQ(plugin.Library().IsWordCorrect(street.c_str()), germanThen);
  EXPECT_EQ(plugin.Library().IsWordCorrect("Photograph"), true);

  // The next load reads the choice from beside the library.
  PluginState next{dir.Path()};
  bool germanNext = !germanThen;
  RunEditorScript(next, {
                            Click(IDC_TOOLS),
                            OnMenu([&](HMENU menu) { germanNext = checked(menu, german); }),
                            Click(IDCANCEL),
                        });
  EXPECT_EQ(germanNext, germanThen);
  EXPECT_EQ(next.Library().IsWordCorrect(street.c_str()), germanThen);
}

class ToolsSpellChecker : public LanguageRootTest {};

TEST_F(ToolsSpellChecker, RunsTheSpellCheckDialogOverTheKeywordBox) {
  struct Way {
    const char* keywords;
    const char* after;
    bool cancel;  // at the first misspelled word; otherwise the check completes at once
  };
  const Way ways[] = {
      {"sea wrld", "sea wrld", true},
      {"sunset beach, sky", "sunset beach; sky; ", false},
  };
  for (const Way& way : ways) {
    ClearFileInfo(plugin.workingCopy);
    std::strcpy(plugin.workingCopy.keywords, way.keywords);
    bool finished = false;
    std::string after;
    RunScripted([this] { return RunEditorDialog(nullptr, plugin); },
                {
                    Click(IDC_TOOLS),
                    Choose({"Spell Checker"}),
                    {[&way] {
                      HWND window = FindVisibleWindow("#32770", kSpellCheckerCaption);
                      if (!window) return false;
                      const bool dialog = GetDlgItem(window, IDC_SPELL_WORD) != nullptr;
                      EXPECT_EQ(dialog, way.cancel) << way.keywords;
                      if (dialog) {
                        EXPECT_EQ(ItemText(window, IDC_SPELL_WORD), "wrld");
                      }
                      PostMessageA(window, WM_COMMAND, MAKEWPARAM(dialog ? IDCANCEL : IDOK, 0), 0);
                      return true;
                    }},
                    WhenClosed(kSpellCheckerCaption),
                    OnEditor([&after](HWND dialog) {
                      after = ItemText(dialog, IDC_KEYWORDS);
                      PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                    }),
                },
                &finished, 30000);
    EXPECT_TRUE(finished) << way.keywords;
    EXPECT_EQ(after, way.after);
  }
}

}  // namespace

namespace {

std::string gListIn, gListOut;
std::vector<std::string> gLogged;

}  // namespace

// A keyword list comes in through the tools menu, its group adds its synonyms to the box, and the
// library goes out again as the same list (the file's path given where the dialogs would ask).
TEST_F(LibraryDialogTest, KeywordListsComeInAndGoOutThroughTheToolsMenu) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build has no keyword lists";
  const std::string list =
      "[Animals]\r\n\tBirds\r\n\t\t{Aves}\r\n\t\tOwl\r\n\t\t\t{Strix}\r\n\tCats\r\n\t\tLion\r\n";
  dir.Write("list.txt", "\xEF\xBB\xBF" + list + "\t\t\t\tToo deep\r\n");
  gListIn = dir.Path() + "list.txt";
  gListOut = dir.Path() + "out.txt";
  gLogged.clear();
  SetKeywordListPathSource([](bool saving, std::string& path) {
    path = saving ? gListOut : gListIn;
    return true;
  });
  SetKeywordListLog([](const char* line) { gLogged.push_back(line); });
  Run({
      Click(IDC_TOOLS),
      Choose({"Import Keyword List..."}),
      Answer("Import Keyword List",
             "Imported 1 new folder, 2 new groups, 4 keywords and 2 synonyms.\n"
             "1 line was not understood and left out; the error log names them.",
             IDOK),
      Click(IDC_TOOLS),
      Choose({"Add Keyword's Group", "Animals", "Birds"}),
      OnEditor([](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "; Birds; Aves; Owl; Strix; "); }),
      Click(IDC_TOOLS),
      Choose({"Export Keyword List..."}),
      Click(IDCANCEL),
  });
  SetKeywordListPathSource(nullptr);
  SetKeywordListLog(nullptr);
  EXPECT_EQ(dir.Read("out.txt"), list);
  ASSERT_EQ(gLogged.size(), 1u);
  EXPECT_EQ(gLogged[0], "Keyword list " + gListIn + ", line 8 not understood: \t\t\t\tToo deep");
}
