// The editor dialog and the about box, run for real and driven from inside their modal loops.
#include "editor_dialog.h"

#include <gtest/gtest.h>

#include <cstring>

#include "about_box.h"
#include "about_box_res.h"
#include "dialog_driver.h"
#include "editor_run.h"
#include "editor_steps.h"
#include "editor_dialog_res.h"
#include "list_menu_win32.h"
#include "plugin_state.h"
#include "plugin_text.h"
#include "temp_folder.h"
#include "tools_menu.h"
#include "window_text.h"

namespace {

constexpr const char kAboutCaption[] = "About Tavimor";

class EditorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { FillWorkingCopy(); }

  void FillWorkingCopy() {
    FileInfoRecord& copy = plugin.workingCopy;
    std::strcpy(copy.keywords, "a, b;c");
    std::strcpy(copy.title, "Harbour at dawn");
    std::strcpy(copy.photographer, "R. Vale");
    std::strcpy(copy.description, "Boats\r\nand gulls");
    std::strcpy(copy.copyright, "(c) 2006 R. Vale");
    std::strcpy(copy.url, "http://example.com/vale");
  }

  INT_PTR RunEditor(DialogScript script) { return RunEditorScript(plugin, std::move(script)); }

  TempFolder dir;
  PluginState plugin{dir.Path()};
};

// Every control in creation (tab) order, with its text and its place in dialog units.
const std::vector<ControlLayout> kControls = {
    {IDC_TITLE, "", 73, 44, 184, 14},
    {IDC_PHOTOGRAPHER, "", 73, 65, 184, 14},
    {IDC_DESCRIPTION, "", 73, 85, 184, 25},
    {IDC_KEYWORDS, "", 73, 124, 184, 55},
    {IDC_COPYRIGHT, "", 71, 211, 184, 24},
    {IDC_URL, "", 71, 242, 184, 14},
    {IDC_LOAD_TEMPLATE, "Load Template", 73, 16, 57, 12},
    {IDC_SAVE_TEMPLATE, "Save Template", 137, 16, 56, 12},
    {IDC_DELETE_TEMPLATE, "Delete Template", 199, 16, 57, 12},
    {IDC_TOOLS, "Tools", 73, 183, 57, 12},
    {IDC_COUNT_BUTTON, "Count", 136, 183, 57, 12},
    {IDOK, "&OK", 181, 263, 41, 14},
    {IDCANCEL, "&Cancel", 234, 263, 41, 14},
    {IDC_STATIC, "Title:", 15, 44, 31, 8},
    {IDC_STATIC, "Photographer:", 15, 65, 46, 8},
    {IDC_STATIC, "Description:", 15, 86, 38, 8},
    {IDC_STATIC, "Keywords:", 15, 124, 34, 8},
    {IDC_COPYRIGHT_LABEL, "Copyright Notice:", 14, 211, 55, 8},
    {IDC_URL_LABEL, "Copyright URL:", 14, 242, 49, 8},
    // The x64 editor widens the count to the frame's edge, for a count against the keyword limit.
    {IDC_COUNT, "0", 234, 183, kUtf8Text ? 52 : 23, 9},
    {IDC_STATIC, "", 6, 3, 280, 34},
    {IDC_FIELDS_FRAME, "", 6, 32, 280, 86},
    {IDC_RECENT_TITLE, "...", 265, 44, 12, 14},
    {IDC_RECENT_PHOTOGRAPHER, "...", 265, 65, 12, 14},
    {IDC_RECENT_DESCRIPTION, "...", 265, 86, 12, 14},
    {IDC_RECENT_KEYWORDS, "...", 265, 123, 12, 14},
    {IDC_RECENT_COPYRIGHT, "...", 263, 211, 12, 14},
    {IDC_RECENT_URL, "...", 263, 242, 12, 14},
    {IDC_KEYWORDS_FRAME, "", 6, 113, 280, 170},
    {IDC_STATIC, "", 6, 199, 280, 84},
    {IDC_ABOUT, "&About", 14, 263, 41, 14},
};

TEST_F(EditorDialogTest, ControlsFollowTheLayoutInTabOrder) {
  ClearFileInfo(plugin.workingCopy);
  RunEditor({OnEditor([](HWND dialog) {
               EXPECT_EQ(WindowText(dialog), "Tavimor");
               EXPECT_EQ(LayoutDifferences(dialog, kControls), "");

               // Enter makes a line break in the keyword box only; OK is the default button.
               EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_KEYWORDS), GWL_STYLE) & ES_WANTRETURN);
               EXPECT_FALSE(GetWindowLongA(GetDlgItem(dialog, IDC_TITLE), GWL_STYLE) & ES_WANTRETURN);
               EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
             }),
             Click(IDCANCEL)});
}

TEST_F(EditorDialogTest, ShowsTheWorkingCopyAndOkReturnsTheEditedFields) {
  const INT_PTR result = RunEditor({
      OnEditor([](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), "a, b;c");
        EXPECT_EQ(ItemText(dialog, IDC_TITLE), "Harbour at dawn");
        EXPECT_EQ(ItemText(dialog, IDC_PHOTOGRAPHER), "R. Vale");
        EXPECT_EQ(ItemText(dialog, IDC_DESCRIPTION), "Boats\r\nand gulls");
        EXPECT_EQ(ItemText(dialog, IDC_COPYRIGHT), "(c) 2006 R. Vale");
        EXPECT_EQ(ItemText(dialog, IDC_URL), "http://example.com/vale");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "3");
        SetDlgItemTextA(dialog, IDC_TITLE, "Evening");
        SetDlgItemTextA(dialog, IDC_URL, "");
        SendDlgItemMessageA(dialog, IDC_KEYWORDS, EM_SETSEL, 6, 6);
        TypeText(GetDlgItem(dialog, IDC_KEYWORDS), "; d");
      }),
      Click(IDOK),
  });
  EXPECT_EQ(result, IDOK);
  const FileInfoRecord& copy = plugin.workingCopy;
  EXPECT_STREQ(copy.keywords, "a, b;c; d");
  EXPECT_STREQ(copy.title, "Evening");
  EXPECT_STREQ(copy.photographer, "R. Vale");
  EXPECT_STREQ(copy.description, "Boats\r\nand gulls");
  EXPECT_STREQ(copy.copyright, "(c) 2006 R. Vale");
  EXPECT_STREQ(copy.url, "");
}

TEST_F(EditorDialogTest, OkCutsEachFieldToItsCapacity) {
  const std::string keywords(10500, 'k'), shortField(300, 's'), longField(1200, 'l');
  const INT_PTR result = RunEditor({
      OnEditor([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_KEYWORDS, keywords.c_str());
        for (int id : {IDC_TITLE, IDC_PHOTOGRAPHER, IDC_URL}) SetDlgItemTextA(dialog, id, shortField.c_str());
        for (int id : {IDC_DESCRIPTION, IDC_COPYRIGHT}) SetDlgItemTextA(dialog, id, longField.c_str());
      }),
      Click(IDOK),
  });
  EXPECT_EQ(result, IDOK);
  const FileInfoRecord& copy = plugin.workingCopy;
  EXPECT_EQ(std::string(copy.keywords), keywords.substr(0, 9999));
  EXPECT_EQ(std::string(copy.title), shortField.substr(0, 255));
  EXPECT_EQ(std::string(copy.photographer), shortField.substr(0, 255));
  EXPECT_EQ(std::string(copy.url), shortField.substr(0, 255));
  EXPECT_EQ(std::string(copy.description), longField.substr(0, 999));
  EXPECT_EQ(std::string(copy.copyright), longField.substr(0, 999));
}

// A letter of two bytes in UTF-8 (one in the 32-bit build's code page), typed as a key would.
constexpr wchar_t kLetter = kUtf8Text ? 0x141 : 0xE9;
const std::string kLetterText = kUtf8Text ? "\xC5\x81" : "\xE9";

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Each field holds its capacity in characters: typing stops there in plain sight, one character
// at a time and wherever the caret stands, keeping everything typed before; OK writes what the
// box shows. A keyword tool never writes back less than the box holds (here more than the field,
// set by a program).
TEST_F(EditorDialogTest, FieldsTakeWhatTheirRecordHoldsAndToolsNeverCutTheKeywordBox) {
  const std::size_t kCapacities[kFileInfoFieldCount] = {9999, 255, 255, 999, 999, 255};
  const struct {
    int field;
    std::string before;
    std::size_t caret, typed;
  } kRuns[] = {{kTitleField, "", 0, 300},
               {kDescriptionField, "", 0, 1200},
               {kPhotographerField, "ab", 1, 300},
               {kKeywordsField, std::string(9980, 'k'), 5, 40}};
  std::string title;
  const std::string longer = "b; a; " + std::string(10000, 'k');
  EXPECT_EQ(RunEditor({
                OnEditor([&](HWND dialog) {
                  for (int field = 0; field < kFileInfoFieldCount; ++field) {
                    EXPECT_EQ(SendDlgItemMessageA(dialog, FieldControl(field), EM_GETLIMITTEXT, 0, 0),
                              LRESULT(kCapacities[field]));
                  }
                  for (const auto& run : kRuns) {
                    HWND box = GetDlgItem(dialog, FieldControl(run.field));
                    SetWindowTextA(box, run.before.c_str());
                    SendMessageW(box, EM_SETSEL, run.caret, run.caret);
                    for (std::size_t i = 0; i < run.typed; ++i) SendMessageW(box, WM_CHAR, kLetter, 1);
                    const std::size_t kept = kCapacities[run.field] - run.before.size();
                    EXPECT_EQ(ReadItemText(dialog, FieldControl(run.field)), run.before.substr(0, run.caret) +
                                                                                 Repeat(kLetterText, kept) +
                                                                                 run.before.substr(run.caret))
                        << run.field;
                  }
                  title = ReadItemText(dialog, IDC_TITLE);
                  SetDlgItemTextA(dialog, IDC_KEYWORDS, longer.c_str());
                  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kSortCommand, 0), 0);
                  EXPECT_EQ(ItemText(dialog, IDC_KEYWORDS), longer);
                  SetDlgItemTextA(dialog, IDC_KEYWORDS, "");
                }),
                Click(IDOK),
            }),
            IDOK);
  EXPECT_EQ(plugin.workingCopy.title, title);
}

// Where the control's limit does not bind first (a character of two bytes in a double-byte code
// page; here a limit a program raised), a paste past the field's capacity keeps the text around
// it: only what it inserted is cut, at a character boundary, and the caret stands after it.
TEST_F(EditorDialogTest, AnInsertionPastTheCapacityKeepsTheTextAroundIt) {
  // Two UTF-16 units in the x64 build, one in the 32-bit one: three units of room keep one whole
  // pair, or three letters.
  const std::string piece = kUtf8Text ? "\xF0\x9F\x98\x80" : "\xE9";
  std::strcpy(plugin.workingCopy.title, ("<" + std::string(250, 'x') + ">").c_str());
  RunEditor({OnEditor([&](HWND dialog) {
               HWND title = GetDlgItem(dialog, IDC_TITLE);
               SendMessageW(title, EM_LIMITTEXT, 1000, 0);
               SendMessageW(title, EM_SETSEL, 251, 251);
               ReplaceSelection(title, Repeat(piece, 4).c_str());
               const std::size_t kept = kUtf8Text ? 1 : 3;
               EXPECT_EQ(ReadItemText(dialog, IDC_TITLE),
                         "<" + std::string(250, 'x') + Repeat(piece, kept) + ">");
               DWORD caret = 0;
               SendMessageW(title, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
               EXPECT_EQ(caret, 251 + (kUtf8Text ? 2u : 3u));
             }),
             Click(IDCANCEL)});
}

// Text beyond ASCII comes back byte for byte: any character in the x64 build, the code page's in
// the 32-bit build. A character of several bytes is taken up to the field's capacity in
// characters.
TEST_F(EditorDialogTest, EveryCharacterSurvivesUpToTheCapacityInCharacters) {
  const std::string text = kUtf8Text ? "\xC5\x81\xC3\xB3"
                                       "d\xC5\xBA \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80"
                                     : "Caf\xE9 Zo\xEB";
  ClearFileInfo(plugin.workingCopy);
  std::strcpy(plugin.workingCopy.title, text.c_str());
  std::strcpy(plugin.workingCopy.keywords, (text + "; ").c_str());
  const std::string full(254, 'x');
  EXPECT_EQ(RunEditor({OnEditor([&](HWND dialog) {
                         HWND url = GetDlgItem(dialog, IDC_URL);
                         SetWindowTextA(url, full.c_str());
                         SendMessageW(url, EM_SETSEL, full.size(), full.size());
                         SendMessageW(url, WM_CHAR, 0x141, 1);  // "Ł": two bytes in UTF-8, one in ANSI
                       }),
                       Click(IDOK)}),
            IDOK);
  EXPECT_EQ(plugin.workingCopy.title, text);
  EXPECT_EQ(plugin.workingCopy.keywords, text + "; ");
  EXPECT_EQ(std::string(plugin.workingCopy.url).size(), kUtf8Text ? 256u : 255u);
}

TEST_F(EditorDialogTest, CancelEscapeAndCloseBoxReturnTwoAndKeepTheWorkingCopy) {
  struct Way {
    const char* name;
    DialogStep step;
  };
  const Way ways[] = {
      {"Cancel", Click(IDCANCEL)},
      {"Escape", Do([] { PostKey(VK_ESCAPE); })},
      {"close box", OnEditor([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); })},
  };
  for (const Way& way : ways) {
    FillWorkingCopy();
    const INT_PTR result = RunEditor({
        OnEditor([](HWND dialog) {
          TypeText(GetDlgItem(dialog, IDC_TITLE), " changed");
          SetDlgItemTextA(dialog, IDC_KEYWORDS, "");
          // OK and Cancel act only on a plain click: other notification codes leave the dialog open.
          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), 0);
          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_SETFOCUS), 0);
          EXPECT_TRUE(IsWindow(dialog));
          SetFocus(GetDlgItem(dialog, IDC_TITLE));
        }),
        way.step,
    });
    EXPECT_EQ(result, IDCANCEL) << way.name;
    EXPECT_STREQ(plugin.workingCopy.title, "Harbour at dawn") << way.name;
    EXPECT_STREQ(plugin.workingCopy.keywords, "a, b;c") << way.name;
  }
}

TEST_F(EditorDialogTest, CountFollowsTypingClicksAndUnroutedCommands) {
  const char* const kStale = "?";
  RunEditor({
      OnEditor([&](HWND dialog) {
        HWND keywords = GetDlgItem(dialog, IDC_KEYWORDS);
        SetDlgItemTextA(dialog, IDC_KEYWORDS, "");
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEYWORDS, EN_CHANGE),
                     reinterpret_cast<LPARAM>(keywords));
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "0");
        TypeText(keywords, "x, y");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "2");

        // Typing in any other field refreshes the count as well.
        for (int id : {IDC_TITLE, IDC_PHOTOGRAPHER, IDC_DESCRIPTION, IDC_COPYRIGHT, IDC_URL}) {
          SetDlgItemTextA(dialog, IDC_COUNT, kStale);
          TypeText(GetDlgItem(dialog, id), "z");
          EXPECT_EQ(ItemText(dialog, IDC_COUNT), "2") << id;
        }

        // Left and right clicks on the background click Count.
        for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
          SetDlgItemTextA(dialog, IDC_KEYWORDS, button == WM_LBUTTONDOWN ? "a;b;c" : "a;b;c;d");
          SetDlgItemTextA(dialog, IDC_COUNT, kStale);
          SendMessageA(dialog, button, 0, MAKELPARAM(3, 3));
        }
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "4");

        // Ids no route holds are ignored, but still refresh the count.
        for (int id : {40000, 31500, 14000, 20000}) {
          SetDlgItemTextA(dialog, IDC_COUNT, kStale);
          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
          EXPECT_EQ(ItemText(dialog, IDC_COUNT), "4") << id;
        }
        EXPECT_TRUE(IsWindowVisible(dialog));
      }),
      Click(IDCANCEL),
  });
}

// The x64 tools menu: Delete Duplicates ignoring case, Sort in the user's language, the case of
// every letter, and a keyword limit that the count is shown against while the user types and
// that the next load of the plug-in keeps.
TEST_F(EditorDialogTest, X64KeywordToolsAndTheKeywordLimitKeptAcrossLoads) {
  if (!kUtf8Text) GTEST_SKIP() << "x64 builds only";
  const auto missing = [] { ADD_FAILURE() << "no such menu item"; };
  const auto count = [](const char* expected) {
    return OnEditor([expected](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_COUNT), expected); });
  };
  std::strcpy(plugin.workingCopy.keywords, "Zoë; ZOË; zoe\xCC\x88; Łódź; ŁÓDŹ");
  RunEditor({
      count("5"),
      Click(IDC_TOOLS),
      Choose({"Delete Duplicates, Ignoring Case"}, missing),
      OnEditor([](HWND dialog) {
        EXPECT_EQ(ReadItemText(dialog, IDC_KEYWORDS), "Zoë; Łódź; ");
        WriteItemText(dialog, IDC_KEYWORDS, "zoë; Straße; Ärger; apple");
      }),
      Command(kSortCommand),
      OnEditor(
          [](HWND dialog) { EXPECT_EQ(ReadItemText(dialog, IDC_KEYWORDS), "apple; Ärger; Straße; zoë; "); }),
      Command(kUpperCaseCommand),
      OnEditor([](HWND dialog) {
        EXPECT_EQ(ReadItemText(dialog, IDC_KEYWORDS), "APPLE; ÄRGER; STRASSE; ZOË; ");
        WriteItemText(dialog, IDC_KEYWORDS, "Zoë; Łódź; ");
      }),
      Command(IDC_COUNT_BUTTON),
      count("2"),
      Click(IDC_TOOLS),
      Choose({"Keyword Limit", "25"}, missing),
      count("2 / 25"),
      OnEditor([](HWND dialog) {
        HWND keywords = GetDlgItem(dialog, IDC_KEYWORDS);
        std::string many;
        for (int i = 1; i <= 23; ++i) many += "k" + std::to_string(i) + "; ";
        SetDlgItemTextA(dialog, IDC_KEYWORDS, many.c_str());
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEYWORDS, EN_CHANGE),
                     reinterpret_cast<LPARAM>(keywords));
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "23 / 25");
        SendMessageA(keywords, EM_SETSEL, many.size(), many.size());
        TypeText(keywords, "x, y");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "25 / 25");
        SendMessageW(keywords, WM_CHAR, 0xFF0C, 1);  // a full-width comma separates too
        TypeText(keywords, "z");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT), "26 / 25 !");
      }),
      Click(IDCANCEL),
  });

  // The next load reads the limit back: the count and the checked item show it.
  PluginState next{dir.Path()};
  std::strcpy(next.workingCopy.keywords, "a; b");
  RunEditorScript(next, {
                            count("2 / 25"),
                            Click(IDC_TOOLS),
                            ChooseMenuItem(
                                [](HMENU menu) {
                                  for (const char* item : {"None", "25", "49", "50"}) {
                                    const int id = MenuItemId(menu, {"Keyword Limit", item});
                                    const bool checked = GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED;
                                    EXPECT_EQ(checked, std::string(item) == "25") << item;
                                  }
                                  return MenuItemId(menu, {"Keyword Limit", "None"});
                                },
                                EditorWindow, missing),
                            count("2"),
                            Click(IDCANCEL),
                        });
  EXPECT_EQ(PluginState(dir.Path()).Library().LoadKeywordLimit(), 0);
}

TEST_F(EditorDialogTest, ReadFieldsWithoutAnEditorWindowKeepsTheWorkingCopy) {
  ReadFields(nullptr, plugin.workingCopy);
  EXPECT_STREQ(plugin.workingCopy.title, "Harbour at dawn");

  // A window that merely shares the caption is not read, nor is another process's window.
  HWND impostor =
      CreateWindowA("STATIC", kEditorCaption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(impostor, nullptr);
  ReadFields(impostor, plugin.workingCopy);
  ReadFields(GetDesktopWindow(), plugin.workingCopy);
  DestroyWindow(impostor);
  EXPECT_STREQ(plugin.workingCopy.title, "Harbour at dawn");
  EXPECT_STREQ(plugin.workingCopy.keywords, "a, b;c");
}

TEST_F(EditorDialogTest, ListMenuOpensBelowItsControl) {
  TextList list = {"Last", std::string(41, 'w'), "_Street", "Rain"};
  RECT button = {};
  RunEditor({
      OnEditor([](HWND) {}),
      {[&] {
         HWND dialog = FindVisibleWindow(nullptr, kEditorCaption);
         GetWindowRect(GetDlgItem(dialog, IDC_LOAD_TEMPLATE), &button);
         ShowMenuAtControl(kLoadTemplateMenuKind, list, dialog, IDC_LOAD_TEMPLATE, "");
         return true;
       },
       true},
      {[&] {
        HWND popup = FindVisibleWindow("#32768", nullptr);
        if (!popup) return false;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        EXPECT_EQ(DescribeMenu(menu),
                  "Last=10000, " + std::string(40, 'w') + "...=10001, _Street=10002, Rain=10003");
        RECT at;
        GetWindowRect(popup, &at);
        EXPECT_EQ(at.left, button.left);
        EXPECT_EQ(at.top, button.bottom);
        EndMenu();
        return true;
      }},
      Click(IDCANCEL),
  });
}

TEST(AboutBox, ShowsTheVersionAndClosesOnClickEscapeOrEnter) {
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
    INT_PTR result;
  };
  const Way ways[] = {
      {"click", [](HWND box) { PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); }, 0},
      {"Escape typed to the box", [](HWND box) { PostMessageA(box, WM_CHAR, VK_ESCAPE, 1); }, 0},
      {"Enter typed to the box", [](HWND box) { PostMessageA(box, WM_CHAR, VK_RETURN, 1); }, 0},
      {"Escape key", [](HWND) { PostKey(VK_ESCAPE); }, IDCANCEL},
      {"Enter key", [](HWND) { PostKey(VK_RETURN); }, IDOK},
  };
  for (const Way& way : ways) {
    bool finished = false;
    const INT_PTR result =
        RunScripted([] { return RunDialog(PluginModule(), IDD_ABOUT, GetActiveWindow(), GenericProc, 0); },
                    {OnWindow(kAboutCaption,
                              [&](HWND box) {
                                EXPECT_EQ(ItemText(box, IDC_VERSION), "1.1.0");
                                way.close(box);
                              })},
                    &finished);
    EXPECT_TRUE(finished) << way.name;
    EXPECT_EQ(result, way.result) << way.name;
  }
}

TEST_F(EditorDialogTest, AboutButtonOpensTheAboutBoxOverTheEditor) {
  RunEditor({
      Click(IDC_ABOUT),
      OnWindow(kAboutCaption,
               [](HWND box) {
                 EXPECT_EQ(GetWindow(box, GW_OWNER), FindWindowA(nullptr, kEditorCaption));
                 PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
               }),
      WhenClosed(kAboutCaption),
      Click(IDCANCEL),
  });
}

}  // namespace
