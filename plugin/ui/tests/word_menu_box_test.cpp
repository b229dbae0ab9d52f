// The word menu opened by real right clicks in the editor's keyword box, over the system's en_US
// speller and thesaurus: the popup is read while it is open, then its commands are sent as a
// chosen item sends them.
#include "word_menu_box.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialog_driver.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "language_fixture.h"
#include "word_menu.h"

namespace {

HWND KeywordBox() {
  return GetDlgItem(FindVisibleWindow(nullptr, kEditorCaption), IDC_KEYWORDS);
}

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

// Steps that right-click the character at position and hand the open popup's contents and
// place to check, then close it.
void AddOpenMenu(DialogScript& script, int position,
                 std::function<void(const std::string&, POINT, RECT)> check) {
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

DialogStep Command(int id) {
  return OnWindow(kEditorCaption,
                  [id](HWND editor) { SendMessageA(editor, WM_COMMAND, MAKEWPARAM(id, 0), 0); });
}

DialogStep ExpectBox(const char* text) {
  return Do([text] { EXPECT_EQ(WindowText(KeywordBox()), text); });
}

const std::string kWordCommands =
    "Delete Word=15000, To Upper Case=16000, To Lower Case=17000, -, Select All=18000";

class WordMenuTest : public LanguageRootTest {
 protected:
  void RunEditor(const char* keywords, DialogScript steps) {
    ClearFileInfo(DialogWorkingCopy());
    std::strcpy(DialogWorkingCopy().keywords, keywords);
    DialogScript script;
    script.push_back(OnWindow(kEditorCaption, [](HWND) {}));
    for (DialogStep& step : steps) script.push_back(std::move(step));
    script.push_back(OnWindow(
        kEditorCaption, [](HWND editor) { PostMessageA(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0); }));
    bool finished = false;
    RunScripted(
        [] { return DialogBoxParamA(PluginModule(), MAKEINTRESOURCEA(IDD_EDITOR), nullptr, TavimorProc, 0); },
        std::move(script), &finished, 30000);
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
  auto ignore = [](const std::string&, POINT, RECT) {};
  AddOpenMenu(steps, 1, ignore);  // "owl"
  steps.push_back(Command(15000));
  steps.push_back(ExpectBox("wren; oak"));
  AddOpenMenu(steps, 7, ignore);  // "oak"
  steps.push_back(Command(16000));
  steps.push_back(ExpectBox("wren; OAK"));
  AddOpenMenu(steps, 7, ignore);
  steps.push_back(Command(17000));
  steps.push_back(ExpectBox("wren; oak"));
  // The last of two keywords goes, the separator before it stays.
  AddOpenMenu(steps, 7, ignore);
  steps.push_back(Command(15000));
  steps.push_back(ExpectBox("wren; "));
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
  AddOpenMenu(steps, 4, ignore);
  steps.push_back(Command(16000));
  steps.push_back(ExpectBox("owl;WREN"));
  AddOpenMenu(steps, 8, ignore);
  steps.push_back(Command(17000));
  steps.push_back(ExpectBox("owl;wren"));
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
  steps.push_back(Do([] {
    SetWindowTextA(KeywordBox(), "");
    EXPECT_EQ(SendMessageA(KeywordBox(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3)), 0);
    EXPECT_TRUE(Editor().menuList.empty());
  }));
  RunEditor("owl; wren", std::move(steps));
  EXPECT_EQ(dir.Read("SavedWords.dat"), "<missing>");
}

}  // namespace
