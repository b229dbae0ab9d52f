#include "saved_words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SavedWords, ReadsWordsAsTheyStandAndSplitsLongLines) {
  TextList words = {"earlier"};
  const std::string longLine = std::string(255, 'a') + std::string(45, 'b');
  ParseSavedWords("Capital\r\n\n\n  spaced \r\n" + longLine + "\nqwixel\nqwixel", words);
  EXPECT_EQ(words, (TextList{"earlier", "Capital", "  spaced ", std::string(255, 'a'), std::string(45, 'b'),
                             "qwixel", "qwixel"}));
  // A line of exactly the entry length, CR LF included, is one entry.
  words.clear();
  ParseSavedWords(std::string(255, 'c') + "\r\nd\r\n", words);
  EXPECT_EQ(words, (TextList{std::string(255, 'c'), "d"}));
}

TEST(SavedWords, WritesOnlyNonEmptyWords) {
  EXPECT_EQ(FormatSavedWords({"one", "", "two"}), "one\ntwo\n");
  TextList back;
  ParseSavedWords(FormatSavedWords({std::string(255, 'x'), "y"}), back);
  EXPECT_EQ(back, (TextList{std::string(255, 'x'), "y"}));
}

}  // namespace
