#include "keyword_append.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(AppendGroupKeywords, JoinsWithSeparatorWhateverTheTextEndsWith) {
  char text[64] = "fog; ";
  EXPECT_TRUE(AppendGroupKeywords(text, sizeof text, "owl; hawk; "));
  EXPECT_STREQ(text, "fog; ; owl; hawk; ");
  char empty[16] = "";
  EXPECT_TRUE(AppendGroupKeywords(empty, sizeof empty, "a"));
  EXPECT_STREQ(empty, "; a");
}

TEST(AppendGroupKeywords, KeepsOnlyWholeKeywordsWithinCapacity) {
  char text[16] = "fog";  // "fog; " leaves 10 bytes of room
  EXPECT_FALSE(AppendGroupKeywords(text, sizeof text, "owl; hawk; heron; "));
  EXPECT_STREQ(text, "fog; owl; hawk;");
  char full[8] = "abcdef";  // not even the separator fits
  EXPECT_FALSE(AppendGroupKeywords(full, sizeof full, "x"));
  EXPECT_STREQ(full, "abcdef");
  char tight[12] = "ab";  // no separator in reach: unchanged
  EXPECT_FALSE(AppendGroupKeywords(tight, sizeof tight, "longkeyword; x"));
  EXPECT_STREQ(tight, "ab");
}

TEST(ReplaceTextSpan, RefusesResultsPastCapacityAndSpansOutsideTheText) {
  char text[12] = "a cat; b";
  EXPECT_TRUE(ReplaceTextSpan(text, sizeof text, 2, 3, "feline"));
  EXPECT_STREQ(text, "a feline; b");
  EXPECT_FALSE(ReplaceTextSpan(text, sizeof text, 2, 6, "domestic cat"));
  EXPECT_FALSE(ReplaceTextSpan(text, sizeof text, 9, 5, "x"));
  EXPECT_STREQ(text, "a feline; b");
}

}  // namespace
