#include "entry_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

EntryMap Parse(const std::string& text) {
  EntryMap entries;
  ParseEntryText(text, entries);
  return entries;
}

TEST(EntryFile, TemplateIsWrittenInKeyOrder) {
  const EntryMap entries = {{"Keywords", "fog; lake; "}, {"Title", "Dawn"},         {"Photographer", ""},
                            {"Description", "Lake"},     {"Copyright", "Free use"}, {"URL", ""}};
  EXPECT_EQ(FormatEntryText(entries),
            "Copyright=Free use\nDescription=Lake\nKeywords=fog; lake; \nPhotographer=\nTitle=Dawn\nURL=\n");
}

TEST(EntryFile, RoundTripKeepsValuesExactly) {
  const EntryMap entries = {
      {"Keywords", " a;b,; "}, {"Title", "x=y=z"}, {"URL", ""}, {"Copyright", "\xA9 Jos\xE9"}};
  EXPECT_EQ(Parse(FormatEntryText(entries)), entries);
}

TEST(EntryFile, ReaderAcceptsHandEditedFiles) {
  // Any order, unknown keys, CR LF line ends, a missing last line end.
  const EntryMap entries = Parse("URL=u\r\nOther=1\r\nTitle=a=b\r\nTitle=later\r\nKeywords=k");
  EXPECT_EQ(EntryValue(entries, "Title"), "later");
  EXPECT_EQ(EntryValue(entries, "URL"), "u");
  EXPECT_EQ(EntryValue(entries, "Keywords"), "k");
  EXPECT_EQ(EntryValue(entries, "Description"), "");
  EXPECT_EQ(EntryValue(Parse("Title=a=b\n"), "Title"), "a=b");
  // Keys are case-sensitive; a line without "=" is its own key and value.
  EXPECT_EQ(EntryValue(Parse("title=x\n"), "Title"), "");
  EXPECT_EQ(EntryValue(Parse("loose\n"), "loose"), "loose");
}

TEST(EntryFile, ALineBreakInAValueIsWrittenAsABlank) {
  EXPECT_EQ(FormatEntryText({{"Description", "one\r\nCopyright=evil\ntwo\rthree"}, {"Title", "t"}}),
            "Description=one Copyright=evil two three\nTitle=t\n");
  // A file written before keeps the value's rest as a line of its own, read as any line.
  const EntryMap read = Parse("Keywords=fog\nlake\n");
  EXPECT_EQ(EntryValue(read, "Keywords"), "fog");
  EXPECT_EQ(EntryValue(read, "lake"), "lake");
}

TEST(EntryFile, FullKeywordTextComesBackWhole) {
  const std::string keywords(9999, 'k');
  const EntryMap read = Parse(FormatEntryText({{"Keywords", keywords}, {"Title", "t"}}));
  EXPECT_EQ(EntryValue(read, "Keywords"), keywords);
  EXPECT_EQ(EntryValue(read, "Title"), "t");
  EXPECT_EQ(read.size(), 2u);
}

}  // namespace
