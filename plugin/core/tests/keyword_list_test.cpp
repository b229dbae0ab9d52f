#include "keyword_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tree as one line per node: depth dots, "[..]" for a category, "{..}" per synonym.
void Outline(const std::vector<KeywordNode>& nodes, int depth, std::string& out) {
  for (const KeywordNode& node : nodes) {
    out += std::string(depth, '.') + (node.category ? "[" + node.text + "]" : node.text);
    for (const std::string& synonym : node.synonyms) out += "{" + synonym + "}";
    out += "\n";
    Outline(node.children, depth + 1, out);
  }
}

std::string Outline(const KeywordList& list) {
  std::string out;
  Outline(list.roots, 0, out);
  for (const KeywordListLine& line : list.notUnderstood)
    out += "?" + std::to_string(line.number) + " " + line.text + "\n";
  return out;
}

TEST(KeywordList, ReadsDepthsCategoriesSynonymsAndLineEnds) {
  struct Case {
    const char* text;
    const char* outline;
  } cases[] = {
      // CR LF and LF mixed, blank lines (tabs and blanks too) skipped, no final line break.
      {"Animals\r\n\tBirds\n\t\tRaptors\r\n\r\n\t \n\tCats", "Animals\n.Birds\n..Raptors\n.Cats\n"},
      // Synonyms one level below their keyword, before or among its children.
      {"Dog\n\t{Canine}\n\t{Hound}\n\tPuppy\n\t\t{Whelp}", "Dog{Canine}{Hound}\n.Puppy{Whelp}\n"},
      // A category holds keywords but is not one; the same keyword under two parents.
      {"[Places]\n\tParis\nFrance\n\tParis", "[Places]\n.Paris\nFrance\n.Paris\n"},
      // Other marks, an unclosed bracket and inner blanks are the keyword's text.
      {"  New York\n{Open\n[x] y\n(a)", "  New York\n{Open\n[x] y\n(a)\n"},
      // A jump of two levels is not understood, and so is what hangs from it.
      {"A\n\t\tB\n\t\t\tC\n\tD", "A\n.D\n?2 \t\tB\n?3 \t\t\tC\n"},
      // A synonym with no keyword above it, empty marks; a child of a dropped line goes too.
      {"{Lone}\nA\n\t[]\n\t\tUnder\n\t{}\n\tB", "A\n.B\n?1 {Lone}\n?3 \t[]\n?4 \t\tUnder\n?5 \t{}\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Outline(ParseKeywordList(c.text)), c.outline) << c.text;
}

TEST(KeywordList, WritesCrLfAndReadsBackTheSameTree) {
  const std::string text =
      "[Animals]\r\n\tBirds\r\n\t\t{Aves}\r\n\t\tRaptors\r\n\t\t\tEagle\r\n\t\t\t\t{Erne}\r\n\t\t\t\t{Ern}"
      "\r\n"
      "\tŁódź\r\nDeep\r\n";
  KeywordList list = ParseKeywordList(text);
  ASSERT_TRUE(list.notUnderstood.empty());
  EXPECT_EQ(FormatKeywordList(list.roots), text);

  // Any depth goes round, and a line break inside a text cannot start a line of its own.
  std::vector<KeywordNode> deep(1);
  KeywordNode* node = &deep[0];
  for (int depth = 0; depth < 300; ++depth) {
    node->text = "k" + std::to_string(depth);
    node->children.resize(1);
    node = &node->children[0];
  }
  node->text = "leaf\r\n\t{x}";
  KeywordList back = ParseKeywordList(FormatKeywordList(deep));
  EXPECT_TRUE(back.notUnderstood.empty());
  EXPECT_EQ(FormatKeywordList(back.roots), FormatKeywordList(deep));
  std::string outline;
  Outline(back.roots, 0, outline);
  EXPECT_NE(outline.find(std::string(300, '.') + "leaf  \t{x}\n"), std::string::npos);
}

}  // namespace
