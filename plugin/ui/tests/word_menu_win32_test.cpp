// The word menu opened by real right clicks in the editor's keyword box, over the system's en_US
// speller and thesaurus: the popup is read while it is open, then its commands are sent as a
// chosen item sends them.
#include "word_menu_win32.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialog_driver.h"
#include "editor_steps.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "language_fixture.h"
#include "word_menu.h"

namespace {

// Screen point on the character at position of the keyword box; a position at the end of the
// text gives a point to the right of the last character.
POINT PointOnCharacter(int position) {
  HWND box = KeywordBox();
  const int past = position >= GetWindowTextLengthA(box) ? 20 : 0;
  const LRESULT at = SendMessageA(box, EM_POSFROMCHAR, static_cast<WPARAM>(position - (past ? 1 : 0)), 0);
  POINT point = {static_cast<short>(LOWORD(at)) + 2 + past, static_cast<short>(HIWORD(at)) + 4};
  ClientToScreen(box, &point);
  return point;
}

using MenuCheck = std::function<void(const std::string&, POINT, RECT)>;

// Steps that wait for the popup menu, hand its contents and place (and the point clicked) to
// check, then close it.
void AddMenuCheck(DialogScript& script, std::shared_ptr<POINT> click, MenuCheck check) {
  script.push_back({[click, check] {
    HWND popup = FindVisibleWindow("#32768", nullptr);
    if (!popup) return false;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    RECT placed;
    GetWindowRect(popup, &placed);
    check(DescribeMenu(menu), *click, placed);
    EndMenu();
    return true;
  }});
  script.push_back({[] { return FindVisibleWindow("#32768", nullptr) == nullptr; }});
}

// Steps that right-click the character at position and check the menu that opens, then close it.
void AddOpenMenu(DialogScript& script, int position, MenuCheck check) {
  auto click = std::make_shared<POINT>();
  script.push_back({[position, click] {
    // A second click within the double-click time would arrive as a double click.
    static DWORD lastClick = 0;
    if (GetTickCount() - lastClick <= GetDoubleClickTime() + 50) return false;
    *click = PointOnCharacter(position);
    if (!RightClickAt(*click)) return false;
    lastClick = GetTickCount();
    return true;
  }});
  AddMenuCheck(script, click, std::move(check));
}

DialogStep ExpectBox(const char* text) {
  return Do([text] { EXPECT_EQ(WindowText(KeywordBox()), text); });
}

const std::string kWordCommands =
    "Delete Word=15000, To Upper Case=16000, To Lower Case=17000, -, Select All=18000";

class WordMenuTest : public LanguageRootTest {
 protected:
  void RunEditor(const char* keywords, DialogScript steps, DLGPROC procedure = TavimorProc) {
    ClearFileInfo(plugin.workingCopy);
    std::strcpy(plugin.workingCopy.keywords, keywords);
    DialogScript script;
    script.push_back(OnWindow(kEditorCaption, [](HWND) {}));
    for (DialogStep& step : steps) script.push_back(std::move(step));
    script.push_back(OnWindow(
        kEditorCaption, [](HWND editor) { PostMessageA(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0); }));
    bool finished = false;
    RunScripted([this, procedure] { return RunEditorDialog(nullptr, plugin, procedure); }, std::move(script),
                &finished, 30000);
    EXPECT_TRUE(finished) << "the dialog script did not run to its end";
  }
};

TEST_F(WordMenuTest, MisspelledWordOffersSuggestionsThatReplaceExactlyTheWord) {
  TextList suggestions;
  library.GetSuggestions("sunsett", suggestions);
  ASSERT_GE(suggestions.size(), 2u);
  std::string items;
  for (std::size_t i = 0; i < suggestions.size(); ++i) {
    items += (i ? ", " : "") + MenuDisplayText(suggestions[i]) + "=" + std::to_string(13000 + i);
  }
  DialogScript steps;
  AddOpenMenu(steps, 10, [&](const std::string& menu, POINT click, RECT placed) {
    EXPECT_EQ(menu, "[Suggestions: " + items + "], -, Add To Dictionary=19000, " + kWordCommands);
    EXPECT_EQ(placed.left, click.x);
    EXPECT_EQ(placed.top, click.y);
  });
  steps.push_back(Command(13001));
  const std::string expected = "harbor; " + suggestions[1] + "; beach";
  steps.push_back(Do([expected] {
    EXPECT_EQ(WindowText(KeywordBox()), expected);
    // The replacement can be undone.
    SendMessageA(KeywordBox(), EM_UNDO, 0, 0);
    EXPECT_EQ(WindowText(KeywordBox()), "harbor; sunsett; beach");
  }));
  // "Add To Dictionary" puts the word into the user word list; the box stays.
  AddOpenMenu(steps, 10,
              [](const std::string& menu, POINT, RECT) { EXPECT_EQ(menu.find("[Suggestions"), 0u) << menu; });
  steps.push_back(Command(19000));
  steps.push_back(ExpectBox("harbor; sunsett; beach"));
  AddOpenMenu(steps, 10, [](const std::string& menu, POINT, RECT) {
    EXPECT_EQ(menu.find("[Synonyms") == 0 || menu.find("No Synonyms") == 0, true) << menu;
  });
  RunEditor("harbor; sunsett; beach", std::move(steps));
  EXPECT_EQ(dir.Read("SavedWords.dat"), std::string("sunsett") + kLineEnd);
}

// What the editor's procedure did around the loading of the language services.
struct LoadWatch {
  bool readyAfterInit = true;  // the service existed once the editor had initialised
  bool shownAtLoad = false;    // the editor was on screen when its load message came
  bool readyBeforeLoad = true;
  bool readyAfterLoad = false;
  POINT click = {};                            // where the right click waiting for the load lands
  const LanguageServices* language = nullptr;  // the services watched
};
LoadWatch g_load;

// The editor's procedure, watched: a right click on "sunsett" is already queued when the load
// begins, so it is handled once the load is done.
INT_PTR CALLBACK WatchedEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LOAD_LANGUAGE) {
    const INT_PTR result = TavimorProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) g_load.readyAfterInit = g_load.language->Loaded();
    return result;
  }
  g_load.shownAtLoad = IsWindowVisible(dialog) != FALSE;
  g_load.readyBeforeLoad = g_load.language->Loaded();
  const POINT point = PointOnCharacter(10);
  g_load.click = point;
  POINT inBox = point;
  ScreenToClient(KeywordBox(), &inBox);
  PostMessageA(KeywordBox(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(inBox.x, inBox.y));
  PostMessageA(KeywordBox(), WM_RBUTTONUP, 0, MAKELPARAM(inBox.x, inBox.y));
  const INT_PTR result = TavimorProc(dialog, message, wParam, lParam);
  g_load.readyAfterLoad = g_load.language->Loaded();
  return result;
}

// The editor loads the language services itself once it is on screen, before any click; a right
// click that waits while they load gets the menu of the word it landed on.
TEST_F(WordMenuTest, ServicesLoadOnceTheEditorIsShownAndAWaitingClickGetsItsMenu) {
  TextList suggestions;
  library.GetSuggestions("sunsett", suggestions);
  ASSERT_GE(suggestions.size(), 2u);
  plugin.Language() = LanguageServices(dir.Path());  // not loaded yet
  g_load = LoadWatch();
  g_load.language = &plugin.Language();
  DialogScript steps;
  auto click = std::make_shared<POINT>();
  steps.push_back(Do([click] { *click = g_load.click; }));
  AddMenuCheck(steps, click, [&](const std::string& menu, POINT at, RECT placed) {
    EXPECT_EQ(menu.find("[Suggestions: " + MenuDisplayText(suggestions[0]) + "=13000"), 0u) << menu;
    EXPECT_EQ(placed.left, at.x);
    EXPECT_EQ(placed.top, at.y);
  });
  steps.push_back(Command(13000));
  const std::string replaced = "harbor; " + suggestions[0] + "; beach";
  steps.push_back(Do([replaced] { EXPECT_EQ(WindowText(KeywordBox()), replaced); }));
  RunEditor("harbor; sunsett; beach", std::move(steps), WatchedEditorProc);
  EXPECT_FALSE(g_load.readyAfterInit);
  EXPECT_TRUE(g_load.shownAtLoad);
  EXPECT_FALSE(g_load.readyBeforeLoad);
  EXPECT_TRUE(g_load.readyAfterLoad);
}

TEST_F(WordMenuTest, CorrectWordOffersSynonymsByMeaningAndAppendsTheChosenOne) {
  TextList synonyms;
  library.GetSynonyms("cat", synonyms);
  ASSERT_GE(synonyms.size(), 2u);
  ASSERT_TRUE(IsMenuHeader(synonyms[0]));
  DialogScript steps;
  AddOpenMenu(steps, 1, [&](const std::string& menu, POINT, RECT) {
    // One submenu per meaning, named after its definition (cut to 40 characters).
    EXPECT_EQ(menu.find("[Synonyms: [" + MenuDisplayText(synonyms[0]) + ": " + synonyms[1] + "=12001"), 0u)
        << menu;
    EXPECT_EQ(menu.find("Add To Dictionary"), std::string::npos);
    const std::string tail = "-, " + kWordCommands;
    EXPECT_EQ(menu.substr(menu.size() - tail.size()), tail);
  });
  steps.push_back(Command(12001));
  const std::string expected = "cat; " + synonyms[1];
  steps.push_back(Do([expected] { EXPECT_EQ(WindowText(KeywordBox()), expected); }));
  RunEditor("cat", std::move(steps));
}

TEST_F(WordMenuTest, WordCommandsChangeOnlyTheWordUnderThePointer) {
  DialogScript steps;
  // The menu opened at a character, the command chosen there, and the box afterwards.
  struct Use {
    int at, command;
    const char* box;
  };
  auto use = [&steps](std::initializer_list<Use> uses) {
    for (const Use& u : uses) {
      AddOpenMenu(steps, u.at, [](const std::string&, POINT, RECT) {});
      steps.push_back(Command(u.command));
      steps.push_back(ExpectBox(u.box));
    }
  };
  // On "owl", then "oak"; the last of two keywords goes, the separator before it stays.
  use({{1, 15000, "wren; oak"}, {7, 16000, "wren; OAK"}, {7, 17000, "wren; oak"}, {7, 15000, "wren; "}});
  steps.push_back(Command(18000));
  steps.push_back(Do([] {
    DWORD first = 1, end = 0;
    SendMessageA(KeywordBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(end, 6u);
  }));
  // Words joined by ";" alone are still two words; a click after the last character takes the
  // last word.
  steps.push_back(Do([] { SetWindowTextA(KeywordBox(), "owl;wren"); }));
  use({{4, 16000, "owl;WREN"}, {8, 17000, "owl;wren"}});
  RunEditor("owl; wren; oak", std::move(steps));
}

TEST_F(WordMenuTest, AMenuOpenedOnNoWordLeavesTheBoxAlone) {
  DialogScript steps;
  AddOpenMenu(steps, 1, [](const std::string& menu, POINT, RECT) { EXPECT_EQ(menu.find("[Synonyms"), 0u); });
  // Now on the blank between the words: the menu is for the empty word.
  AddOpenMenu(steps, 4, [](const std::string& menu, POINT, RECT) {
    EXPECT_EQ(menu, "No Synonyms=0, -, " + kWordCommands);
  });
  for (int id : {15000, 16000, 13000, 19000}) steps.push_back(Command(id));
  steps.push_back(ExpectBox("owl; wren"));
  // An empty box keeps the edit control's own right button.
  steps.push_back(Do([this] {
    SetWindowTextA(KeywordBox(), "");
    EXPECT_EQ(SendMessageA(KeywordBox(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3)), 0);
    EXPECT_TRUE(plugin.editor.menuList.empty());
  }));
  RunEditor("owl; wren", std::move(steps));
  EXPECT_EQ(dir.Read("SavedWords.dat"), "<missing>");
}

}  // namespace
