#include "recent_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CleanText, KeepsAnsiLettersWritesLineBreaksAsBlanksAndDropsControlCharacters) {
  EXPECT_EQ(CleanText("\xA9 2005 Jos\xE9"), "\xA9 2005 Jos\xE9");
  EXPECT_EQ(CleanText("a\tb\r\nc\x7F"
                      "d\x1F\ne\rf"),
            "ab cd e f");
  EXPECT_EQ(CleanText(std::string("a\0b", 3)), "ab");
  EXPECT_EQ(CleanText("\x80\xFF"), "\x80\xFF");
}

TEST(MergeRecentValue, NewestFirstWithoutRepeatsAndAtMostTen) {
  std::string entry;
  for (int i = 1; i <= 11; ++i) entry = MergeRecentValue("T" + std::to_string(i), entry);
  EXPECT_EQ(entry, "T11|T10|T9|T8|T7|T6|T5|T4|T3|T2");
  // A value already present moves to the front; the length stays.
  EXPECT_EQ(MergeRecentValue("T9", entry), "T9|T11|T10|T8|T7|T6|T5|T4|T3|T2");
  EXPECT_EQ(MergeRecentValue("", "a|b"), "a|b");
  // A hand-edited entry with more than ten values is brought back to ten.
  EXPECT_EQ(MergeRecentValue("n", "1|2|3|4|5|6|7|8|9|10|11|12"), "n|1|2|3|4|5|6|7|8|9");
}

TEST(MergeRecentValue, SameKeywordsAgainMoveToTheFront) {
  std::string entry = MergeRecentValue("fog; lake; ", "");
  EXPECT_EQ(entry, "fog; lake");
  entry = MergeRecentValue("sun; ", entry);
  EXPECT_EQ(MergeRecentValue("fog; lake; ", entry), "fog; lake|sun");
  // Nothing left after cleaning and trimming: the entry stays.
  EXPECT_EQ(MergeRecentValue("\t; ", entry), entry);
}

TEST(RecentFile, SixLinesInFieldOrder) {
  TextList entries(kRecentFieldCount);
  entries[0] = MergeRecentValue("Dawn", "");
  EXPECT_EQ(FormatRecentText(entries),
            "Title=Dawn\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n");
  EXPECT_EQ(FormatRecentText({}), "Title=\nPhotographer=\nDescription=\nKeywords=\nCopyright=\nURL=\n");
}

TEST(RecentFile, ReadByPositionWhateverTheKeys) {
  const TextList table = ParseRecentText("URL=a|b\r\nWrong=c=d\r\nno equals\r\n");
  EXPECT_EQ(table, (TextList{"a|b", "c=d", "no equals"}));
}

TEST(RecentFile, LongKeywordsEntryDoesNotSpillIntoLaterFields) {
  TextList entries(kRecentFieldCount);
  for (int i = 0; i < 10; ++i) entries[3] = MergeRecentValue(std::string(3000, 'a' + i), entries[3]);
  entries[4] = "Free use";
  const TextList table = ParseRecentText(FormatRecentText(entries));
  ASSERT_EQ(table.size(), kRecentFieldCount);
  EXPECT_EQ(table[3], entries[3]);
  EXPECT_EQ(table[4], "Free use");
}

}  // namespace
