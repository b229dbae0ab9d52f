#include "spell_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// A speller that knows a fixed set of words and offers fixed suggestions; it counts its calls.
class FakeChecker : public WordChecker {
 public:
  std::set<std::string> known;
  std::map<std::string, TextList> suggestions;
  int checks = 0;

  bool IsWordCorrect(const char* word) override {
    ++checks;
    return known.count(word) != 0;
  }
  void GetSuggestions(const char* word, TextList& list) override {
    auto found = suggestions.find(word);
    if (found != suggestions.end()) list.insert(list.end(), found->second.begin(), found->second.end());
  }
};

TEST(SpellWalk, ChecksEveryWordAndGivesEveryUntouchedKeywordBackWhole) {
  FakeChecker checker;
  checker.known = {"New", "York", "Paris", "old", "town"};
  SpellWalk walk;
  walk.Start("New York;Paris, ; old  town");
  EXPECT_EQ(walk.Words(), (TextList{"New", "York", "Paris", "old", "town"}));
  TextList suggestions = {"stale"};
  EXPECT_FALSE(walk.NextMisspelledWord(checker, suggestions));
  EXPECT_EQ(checker.checks, 5);
  EXPECT_TRUE(suggestions.empty());
  EXPECT_TRUE(walk.Finished());
  EXPECT_EQ(walk.Rebuild(), "New York; Paris; old  town; ");

  walk.Start("");
  EXPECT_FALSE(walk.NextMisspelledWord(checker, suggestions));
  EXPECT_EQ(walk.Rebuild(), "");
}

TEST(SpellWalk, StopsAtEachRejectedWordAndMovesOnlyForward) {
  FakeChecker checker;
  checker.known = {"sea", "New", "York"};
  checker.suggestions["lakr"] = {"lake", "lacr"};
  checker.suggestions["Paris"] = {"Paris"};  // only itself: passed over
  SpellWalk walk;
  walk.Start("lakr sea  Paris qqq zzz; New  York");
  TextList suggestions;
  ASSERT_TRUE(walk.NextMisspelledWord(checker, suggestions));
  EXPECT_EQ(walk.Current(), "lakr");
  EXPECT_EQ(suggestions, (TextList{"lake", "lacr"}));
  walk.Replace("lake");
  walk.Advance();
  ASSERT_TRUE(walk.NextMisspelledWord(checker, suggestions));
  EXPECT_EQ(walk.Current(), "qqq");
  EXPECT_TRUE(suggestions.empty());  // stops even without a suggestion
  walk.Delete();
  walk.Advance();
  ASSERT_TRUE(walk.NextMisspelledWord(checker, suggestions));
  // A word that becomes correct (added to the user word list) passes when tested again.
  checker.known.insert("zzz");
  ASSERT_FALSE(walk.NextMisspelledWord(checker, suggestions));
  // The changed keyword keeps its other words and the blanks before them; the other keyword is
  // untouched.
  EXPECT_EQ(walk.Rebuild(), "lake sea  Paris zzz; New  York; ");

  // Once finished, the word commands change nothing.
  walk.Replace("late");
  walk.Advance();
  EXPECT_EQ(walk.Current(), "");
  EXPECT_EQ(walk.Rebuild(), "lake sea  Paris zzz; New  York; ");
}

TEST(SpellWalk, AKeywordGoesOnlyWithItsLastWord) {
  struct Row {
    const char* text;
    std::set<std::string> deleted;
    const char* rebuilt;
  };
  const Row rows[] = {
      {"a b", {"a", "b"}, ""},
      {"a  b; New York", {"a", "b"}, "New York; "},
      {"a  b c, d", {"a"}, "b c; d; "},      // the first word goes with the blanks after it
      {"a  b   c, d", {"b"}, "a   c; d; "},  // any other with the blanks before it
      {"a b c", {"c"}, "a b; "},
  };
  for (const Row& row : rows) {
    SpellWalk walk;
    walk.Start(row.text);
    for (; !walk.Finished(); walk.Advance()) {
      if (row.deleted.count(walk.Current())) walk.Delete();
    }
    EXPECT_EQ(walk.Rebuild(), row.rebuilt) << row.text;
  }
}

TEST(SpellWalk, RefusesAChangeAfterWhichTheRebuiltTextWouldNotFit) {
  SpellWalk walk;
  walk.Start("ab cd ef", 11);  // rebuilt: "ab cd ef; ", 10 bytes and the NUL
  EXPECT_FALSE(walk.Replace("abc"));
  EXPECT_EQ(walk.Current(), "ab");
  EXPECT_TRUE(walk.Delete());
  walk.Advance();
  EXPECT_TRUE(walk.Replace("cdefg"));  // the room the deletion made
  walk.Advance();
  EXPECT_FALSE(walk.Replace("efgh"));
  EXPECT_EQ(walk.Rebuild(), "cdefg ef; ");

  // A text too long from the start takes only the changes that bring it back into its buffer.
  walk.Start("abcd,ef,gh", 12);  // "abcd; ef; gh; ", 14 bytes
  EXPECT_FALSE(walk.Replace("abc"));
  walk.Advance();
  EXPECT_TRUE(walk.Delete());
  EXPECT_EQ(walk.Rebuild(), "abcd; gh; ");

  // A refused change leaves its keyword as it was, blanks and all.
  walk.Start("ab  cd", 9);
  EXPECT_FALSE(walk.Replace("abcd"));
  EXPECT_EQ(walk.Rebuild(), "ab  cd; ");
}

TEST(StoreRebuiltText, NeverCutsAKeywordOff) {
  SpellWalk walk;
  walk.Start("ab cd");  // rebuilt: "ab cd; ", 7 bytes
  char buffer[16] = "before";
  EXPECT_FALSE(StoreRebuiltText(walk, buffer, 7));
  EXPECT_STREQ(buffer, "before");
  EXPECT_TRUE(StoreRebuiltText(walk, buffer, 8));
  EXPECT_STREQ(buffer, "ab cd; ");

  // A full keyword box of comma-separated keywords grows when rebuilt.
  std::string text;
  while (text.size() + 2 <= kKeywordCapacity) text += "a,";
  walk.Start(text.c_str());
  std::string large(kKeywordTextSize, 'x');
  large.back() = '\0';
  EXPECT_FALSE(StoreRebuiltText(walk, &large[0], kKeywordTextSize));
  EXPECT_EQ(large.find('\0'), kKeywordTextSize - 1);
}

}  // namespace
