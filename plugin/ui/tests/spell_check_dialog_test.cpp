// The spell-check dialog run for real, from the editor's "Spell Checker" command, over the
// system's en_US dictionary.
#include "spell_check_dialog.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialog_driver.h"
#include "editor_run.h"
#include "editor_steps.h"
#include "editor_dialog.h"
#include "editor_dialog_res.h"
#include "language_fixture.h"
#include "spell_check_dialog_res.h"
#include "tools_menu.h"

namespace {

// The visible spell-check dialog (withDialogControls) or the completion message box: both are
// dialogs captioned "Spell Checker".
HWND FindSpellWindow(bool withDialogControls) {
  return FindVisibleWindow("#32770", kSpellCheckerCaption, [withDialogControls](HWND window) {
    return (GetDlgItem(window, IDC_SPELL_WORD) != nullptr) == withDialogControls;
  });
}

DialogStep OnSpellDialog(std::function<void(HWND)> action) {
  return {[action] {
    HWND dialog = FindSpellWindow(true);
    if (!dialog) return false;
    action(dialog);
    return true;
  }};
}

// A step that waits until the dialog stops at word, then runs action on it.
DialogStep OnSpellWord(std::string word, std::function<void(HWND)> action) {
  return {[word, action] {
    HWND dialog = FindSpellWindow(true);
    if (!dialog || ItemText(dialog, IDC_SPELL_WORD) != word) return false;
    action(dialog);
    return true;
  }};
}

DialogStep Press(int id) {
  return OnSpellDialog([id](HWND dialog) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); });
}

// Waits for a message box captioned "Spell Checker", checks its text and owner, and closes it
// with its OK button.
DialogStep AcknowledgeMessage(const char* text, bool ownedByTheDialog, bool* seen) {
  return {[text, ownedByTheDialog, seen] {
    HWND box = FindSpellWindow(false);
    if (!box) return false;
    std::string texts;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      texts += WindowText(child) + "|";
    }
    EXPECT_NE(texts.find(text), std::string::npos) << texts;
    EXPECT_EQ(GetWindow(box, GW_OWNER), ownedByTheDialog ? FindSpellWindow(true) : nullptr) << text;
    *seen = true;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return true;
  }};
}

DialogStep AcknowledgeCompletion(bool* seen) {
  return AcknowledgeMessage(kSpellCheckComplete, false, seen);
}

std::vector<std::string> ListEntries(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 255) {
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    }
    entries.push_back(text);
  }
  return entries;
}

class SpellCheckDialogTest : public LanguageRootTest {
 protected:
  // Runs the editor over keywords, starts the spell checker in it, runs steps, and returns the
  // keyword box as the editor shows it afterwards.
  std::string RunSpellCheck(const char* keywords, DialogScript steps) {
    ClearFileInfo(plugin.workingCopy);
    std::strcpy(plugin.workingCopy.keywords, keywords);
    std::string after = "<not read>";
    DialogScript script;
    script.push_back(OnEditor(
        [](HWND editor) { PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kSpellCheckerCommand, 0), 0); }));
    for (DialogStep& step : steps) script.push_back(std::move(step));
    script.push_back(WhenClosed(kSpellCheckerCaption));
    script.push_back(OnEditor([&after](HWND editor) {
      after = ItemText(editor, IDC_KEYWORDS);
      EXPECT_EQ(GetForegroundWindow(), editor);
      PostMessageA(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0);
    }));
    RunEditorScript(plugin, std::move(script), 30000);
    return after;
  }
};

TEST_F(SpellCheckDialogTest, CorrectOrEmptyTextFinishesAtOnceWithTheMessage) {
  struct Row {
    const char* keywords;
    const char* expected;
  };
  // Every word is checked, and every keyword comes back whole.
  const Row rows[] = {{"sunset beach, blue  sky", "sunset beach; blue  sky; "}, {"", ""}, {" ;, ", ""}};
  for (const Row& row : rows) {
    bool completed = false;
    EXPECT_EQ(RunSpellCheck(row.keywords, {AcknowledgeCompletion(&completed)}), row.expected);
    EXPECT_TRUE(completed) << row.keywords;
  }
}

TEST_F(SpellCheckDialogTest, ReplaceDeleteAndAddWalkTheMisspelledWords) {
  bool completed = false;
  std::string replacement;
  const std::string after = RunSpellCheck(
      "sunsett beach, qzxvkj blorpt; sky",
      {
          OnSpellDialog([&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_SPELL_WORD), "sunsett");
            const std::vector<std::string> entries = ListEntries(dialog);
            ASSERT_FALSE(entries.empty());
            EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                                       [](const std::string& a, const std::string& b) {
                                         return lstrcmpiA(a.c_str(), b.c_str()) < 0;
                                       }));
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_GETCURSEL, 0, 0), 0);
            replacement = entries[0];
            PostMessageA(GetDlgItem(dialog, IDC_SPELL_REPLACE), BM_CLICK, 0, 0);
          }),
          OnSpellDialog([](HWND dialog) {
            ASSERT_EQ(ItemText(dialog, IDC_SPELL_WORD), "qzxvkj");
            PostMessageA(GetDlgItem(dialog, IDC_SPELL_DELETE), BM_CLICK, 0, 0);
          }),
          OnSpellWord("blorpt",
                      [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_SPELL_ADD), BM_CLICK, 0, 0); }),
          // Once added, the word passes; "sky" is correct, so the walk ends by itself.
          AcknowledgeCompletion(&completed),
      });
  EXPECT_TRUE(completed);
  // A deleted word goes with its blank; the keyword of a replaced word keeps its other words.
  EXPECT_EQ(after, replacement + " beach; blorpt; sky; ");
  EXPECT_EQ(dir.Read("SavedWords.dat"), std::string("blorpt") + kLineEnd);
}

TEST_F(SpellCheckDialogTest, CancelOrCloseAfterReplacementsLeavesTheKeywordsAlone) {
  for (bool closeBox : {false, true}) {
    const char* const keywords = "sunsett, beachh sky";
    const std::string after = RunSpellCheck(
        keywords, {
                      Press(IDC_SPELL_REPLACE),
                      OnSpellWord("beachh",
                                  [closeBox](HWND dialog) {
                                    if (closeBox) {
                                      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                                    } else {
                                      PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                                    }
                                  }),
                  });
    EXPECT_EQ(after, keywords) << (closeBox ? "close box" : "Cancel");
  }
}

// A change that would make the rebuilt text pass the keyword text's 9999 characters is refused
// when it is made; the changes accepted before it reach the keyword box at the end.
TEST_F(SpellCheckDialogTest, AChangeThatWouldNotFitIsRefusedAndTheEarlierOnesAreKept) {
  // Rebuilt as it is: "qzxvkj; ", 1998 times "sea; ", "a; " and "wrld; ", 10007 bytes; 9999
  // once "qzxvkj" is deleted, so no replacement of "wrld" by a longer word fits any more. The
  // box holds 8005 characters: the keywords are separated by a comma only.
  std::string keywords = "qzxvkj,";
  for (int i = 0; i < 1998; ++i) keywords += "sea,";
  keywords += "a,wrld";
  ASSERT_LE(keywords.size(), 9999u);
  std::string kept;
  for (int i = 0; i < 1998; ++i) kept += "sea; ";
  kept += "a; wrld; ";
  ASSERT_EQ(kept.size(), 9999u);

  bool refused = false, completed = false;
  const std::string after = RunSpellCheck(
      keywords.c_str(), {
                            OnSpellDialog([](HWND dialog) {
                              ASSERT_EQ(ItemText(dialog, IDC_SPELL_WORD), "qzxvkj");
                              PostMessageA(GetDlgItem(dialog, IDC_SPELL_DELETE), BM_CLICK, 0, 0);
                            }),
                            OnSpellWord("wrld",
                                        [](HWND dialog) {
                                          const std::vector<std::string> entries = ListEntries(dialog);
                                          std::size_t longest = 0;
                                          for (std::size_t i = 0; i < entries.size(); ++i) {
                                            if (entries[i].size() > entries[longest].size()) longest = i;
                                          }
                                          EXPECT_GT(entries.at(longest).size(), 4u);
                                          SendDlgItemMessageA(dialog, IDC_SPELL_SUGGESTIONS, LB_SETCURSEL,
                                                              longest, 0);
                                          PostMessageA(GetDlgItem(dialog, IDC_SPELL_REPLACE), BM_CLICK, 0, 0);
                                        }),
                            AcknowledgeMessage(kSpellChangeRefused, true, &refused),
                            {[] { return FindSpellWindow(false) == nullptr; }},
                            // The dialog stays on the word it kept.
                            OnSpellDialog([](HWND dialog) {
                              EXPECT_EQ(ItemText(dialog, IDC_SPELL_WORD), "wrld");
                              PostMessageA(GetDlgItem(dialog, IDC_SPELL_IGNORE), BM_CLICK, 0, 0);
                            }),
                            AcknowledgeCompletion(&completed),
                        });
  EXPECT_TRUE(refused);
  EXPECT_TRUE(completed);
  EXPECT_TRUE(after == kept) << "the box holds " << after.size() << " characters, beginning \""
                             << after.substr(0, 20) << "\"";
}

class SpellCheckWithoutDictionaryTest : public SpellCheckDialogTest {
 protected:
  bool WithDictionaries() const override { return false; }
};

TEST_F(SpellCheckWithoutDictionaryTest, EveryWordStopsAndAddStaysOnIt) {
  bool completed = false;
  const std::string after = RunSpellCheck(
      "sea sky",
      {
          OnSpellDialog([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_SPELL_WORD), "sea");
            EXPECT_TRUE(ListEntries(dialog).empty());
            PostMessageA(GetDlgItem(dialog, IDC_SPELL_ADD), BM_CLICK, 0, 0);
          }),
          // Without a speller the added word still fails: the dialog stays on it,
          // and Replace with nothing to choose moves on as Ignore does.
          OnSpellDialog([this](HWND dialog) {
            EXPECT_EQ(dir.Read("SavedWords.dat"), std::string("sea") + kLineEnd);
            EXPECT_EQ(ItemText(dialog, IDC_SPELL_WORD), "sea");
            PostMessageA(GetDlgItem(dialog, IDC_SPELL_REPLACE), BM_CLICK, 0, 0);
          }),
          OnSpellWord(
              "sky", [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_SPELL_IGNORE), BM_CLICK, 0, 0); }),
          AcknowledgeCompletion(&completed),
      });
  EXPECT_TRUE(completed);
  EXPECT_EQ(after, "sea sky; ");
}

const std::vector<ControlLayout> kControls = {
    {IDC_STATIC, "Not in Dictonary:", 7, 7, 82, 8, "Static"},
    {IDC_SPELL_WORD, "lakr", 7, 16, 90, 12, "Edit"},
    {IDC_STATIC, "Suggestions:", 7, 38, 78, 8, "Static"},
    {IDC_SPELL_SUGGESTIONS, "", 7, 51, 91, 63, "ListBox"},
    {IDC_SPELL_REPLACE, "Replace", 110, 16, 50, 14, "Button"},
    {IDC_SPELL_IGNORE, "Ignore", 110, 33, 50, 14, "Button"},
    {IDC_SPELL_DELETE, "Delete", 110, 50, 50, 14, "Button"},
    {IDC_SPELL_ADD, "Add", 110, 67, 50, 14, "Button"},
    {IDOK, "OK", 110, 84, 50, 14, "Button"},
    {IDCANCEL, "Cancel", 110, 101, 50, 14, "Button"},
};

TEST_F(SpellCheckDialogTest, LayoutAndAListThatIgnoresDoubleClicks) {
  char buffer[kKeywordTextSize] = "lakr";
  SpellCheckDialog check{library, buffer, sizeof buffer};
  bool finished = false;
  const INT_PTR result = RunScripted(
      [&check] {
        return DialogBoxParamA(PluginModule(), MAKEINTRESOURCEA(IDD_SPELL_CHECK), nullptr, SpellCheckProc,
                               reinterpret_cast<LPARAM>(&check));
      },
      {OnSpellDialog([](HWND dialog) {
        EXPECT_EQ(LayoutDifferences(dialog, kControls, true), "");
        const LONG listStyle = GetWindowLongA(GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS), GWL_STYLE);
        EXPECT_TRUE(listStyle & LBS_SORT);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_SPELL_WORD), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_SPELL_REPLACE);

        // A double click on the second suggestion neither selects it nor reaches the dialog.
        HWND list = GetDlgItem(dialog, IDC_SPELL_SUGGESTIONS);
        ASSERT_GE(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
        RECT item;
        SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
      })},
      &finished);
  EXPECT_TRUE(finished);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(buffer, "lakr");
}

}  // namespace
