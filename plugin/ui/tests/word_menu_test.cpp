#include "word_menu.h"

#include <gtest/gtest.h>

#include "menu_rows_text.h"

namespace {

std::string Found(const std::string& text, int position) {
  const WordSpan span = FindWordAt(text, position);
  if (!span.HasWord()) return span.word.empty() ? "<none>" : "<bad>";
  return span.word + "@" + std::to_string(span.first) + "-" + std::to_string(span.last);
}

TEST(FindWordAt, TakesTheWordBetweenSeparators) {
  const std::string text = "New York; Paris,lake";
  EXPECT_EQ(Found(text, 0), "New@0-2");
  EXPECT_EQ(Found(text, 2), "New@0-2");
  EXPECT_EQ(Found(text, 5), "York@4-7");
  EXPECT_EQ(Found(text, 12), "Paris@10-14");
  EXPECT_EQ(Found(text, 16), "lake@16-19");
  // The caret after the last character takes the last word.
  EXPECT_EQ(Found(text, 20), "lake@16-19");
  // A line break separates words as it separates keywords.
  EXPECT_EQ(Found("sea\r\nsky; x", 1), "sea@0-2");
  EXPECT_EQ(Found("sea\r\nsky; x", 6), "sky@5-7");
  // Every word the menu can open on, in order.
  EXPECT_EQ(WordsOf(text + "; lake\r\n"), (TextList{"New", "York", "Paris", "lake", "lake"}));
  EXPECT_EQ(WordsOf(" ;, "), TextList{});
}

TEST(FindWordAt, FindsNothingOnSeparatorsOrOutsideTheText) {
  const std::string text = "a; b; ";
  for (int position : {1, 2, 4, 5, 6, -1, 7, 100}) EXPECT_EQ(Found(text, position), "<none>") << position;
  EXPECT_EQ(Found("", 0), "<none>");
}

TEST(WordMenuHeaders, FollowTheResultsOfTheLanguageServices) {
  EXPECT_STREQ(SynonymMenuHeader({ListHeader("def"), "cat"}), "Synonyms");
  EXPECT_STREQ(SynonymMenuHeader({}), "No Synonyms");

  TextList none, self = {"Paris"}, other = {"paris"}, two = {"lake", "lace"};
  EXPECT_STREQ(SuggestionMenuHeader("Paris", none), "Wrong Word!");
  EXPECT_STREQ(SuggestionMenuHeader("Paris", self), "No Suggestions");
  EXPECT_TRUE(self.empty());
  // Byte for byte: a suggestion differing in case is a real one.
  EXPECT_STREQ(SuggestionMenuHeader("Paris", other), "Suggestion");
  EXPECT_EQ(other.size(), 1u);
  EXPECT_STREQ(SuggestionMenuHeader("lakr", two), "Suggestions");
  EXPECT_EQ(two.size(), 2u);
}

TEST(LayoutWordMenu, SuggestionMenusOfferAddToDictionary) {
  const TextList list = {"lake", "lace"};
  const std::string commands =
      "-, Add To Dictionary=19000, Delete Word=15000, To Upper Case=16000, To Lower Case=17000, -, "
      "Select All=18000";
  EXPECT_EQ(Describe(LayoutListMenu(kSuggestionMenuKind, list, "Suggestions")),
            "[Suggestions: lake=13000, lace=13001], " + commands);
  EXPECT_EQ(Describe(LayoutListMenu(kSuggestionMenuKind, {}, "Wrong Word!")), "Wrong Word!=0, " + commands);
  EXPECT_EQ(Describe(LayoutListMenu(kSuggestionMenuKind, {}, "No Suggestions")),
            "No Suggestions=0, " + commands);
}

TEST(LayoutWordMenu, SynonymsGoIntoOneSubmenuPerMeaning) {
  const std::string longDefinition = ListHeader("(noun) " + std::string(40, 'd'));
  const TextList list = {ListHeader("(noun) cat"), "feline", "cat", longDefinition, "true cat"};
  const std::string commands =
      "-, Delete Word=15000, To Upper Case=16000, To Lower Case=17000, -, Select All=18000";
  EXPECT_EQ(Describe(LayoutListMenu(kSynonymMenuKind, list, "Synonyms")),
            "[Synonyms: [(noun) cat: feline=12001, cat=12002], [" + longDefinition.substr(1, 40) +
                "...: true cat=12004]], " + commands);
  EXPECT_EQ(Describe(LayoutListMenu(kSynonymMenuKind, {}, "No Synonyms")), "No Synonyms=0, " + commands);
}

TEST(AppendSynonym, AddsANewKeywordAfterWhateverEndsTheText) {
  struct Row {
    const char* text;
    const char* expected;
  };
  const Row rows[] = {
      {"cat; ", "cat; feline"}, {"cat;", "cat; feline"}, {"cat,", "cat, feline"},
      {"cat", "cat; feline"},   {"cat ", "cat feline"},  {"", "feline"},
  };
  for (const Row& row : rows) {
    std::string result = "untouched";
    EXPECT_TRUE(AppendSynonym(row.text, "feline", result));
    EXPECT_EQ(result, row.expected) << row.text;
  }
}

TEST(AppendSynonym, RefusesToGrowPastTheKeywordBox) {
  std::string result = "untouched";
  const std::string almostFull(kKeywordBoxLimit - 8, 'k');
  EXPECT_TRUE(AppendSynonym(almostFull, "feline", result));
  EXPECT_EQ(result.size(), kKeywordBoxLimit);
  result = "untouched";
  EXPECT_FALSE(AppendSynonym(almostFull + "k", "feline", result));
  EXPECT_EQ(result, "untouched");
}

TEST(WordSpanChecks, ActOnlyOnTheWordStillThere) {
  const std::string text = "lakr; sea";
  const WordSpan span = FindWordAt(text, 1);
  EXPECT_TRUE(SpanHoldsWord(text, span));
  EXPECT_FALSE(SpanHoldsWord("lake; sea", span));
  EXPECT_FALSE(SpanHoldsWord("la", span));
  EXPECT_FALSE(SpanHoldsWord(text, FindWordAt(text, 4)));  // no word

  // One byte short of the limit: the word may grow by one.
  const std::string nearlyFull = "lakr; " + std::string(kKeywordBoxLimit - 7, 'k');
  const WordSpan first = FindWordAt(nearlyFull, 0);
  EXPECT_TRUE(ReplacementFits(nearlyFull, first, std::string(4, 'x')));
  EXPECT_TRUE(ReplacementFits(nearlyFull, first, std::string(5, 'x')));
  EXPECT_FALSE(ReplacementFits(nearlyFull, first, std::string(6, 'x')));
}

TEST(DeleteWordEnd, TakesUpToTwoSeparatorsAfterTheWord) {
  const std::string three = "owl; wren; oak";
  EXPECT_EQ(three.substr(DeleteWordEnd(three, FindWordAt(three, 0))), "wren; oak");
  EXPECT_EQ(three.substr(DeleteWordEnd(three, FindWordAt(three, 6))), "oak");
  // The last word: nothing follows, the separator before it stays.
  const std::string two = "owl; wren";
  EXPECT_EQ(two.substr(0, 5) + two.substr(DeleteWordEnd(two, FindWordAt(two, 6))), "owl; ");
  // Only separators are taken, and no more than two.
  const std::string tight = "owl;wren";
  EXPECT_EQ(tight.substr(DeleteWordEnd(tight, FindWordAt(tight, 0))), "wren");
  const std::string loose = "owl ;, wren";
  EXPECT_EQ(loose.substr(DeleteWordEnd(loose, FindWordAt(loose, 0))), ", wren");
}

}  // namespace
