#include "document_file.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(DocumentFile, RoundTripsFieldsKeywordsAndLineBreaks) {
  stub::FakeHost host;
  ParseDocument(
      "Title=Harbour\r\nDescription=Boats\\nand \\\\ gulls\nKeyword=sea\nKeyword=two words\n"
      "junk line\nUnknown=x\nURL=http://a=b\n",
      host);
  EXPECT_EQ(host.Field(Code("ObjN")), "Harbour");
  EXPECT_EQ(host.Field(Code("Cptn")), "Boats\r\nand \\ gulls");
  EXPECT_EQ(host.Field(Code("URL ")), "http://a=b");
  EXPECT_FALSE(host.HasField(Code("Byln")));
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{"sea", "two words"}));

  const std::string text = FormatDocument(host);
  EXPECT_EQ(
      text,
      "Title=Harbour\nDescription=Boats\\nand \\\\ gulls\nURL=http://a=b\nKeyword=sea\nKeyword=two words\n");
  stub::FakeHost again;
  ParseDocument(text, again);
  EXPECT_EQ(FormatDocument(again), text);
}

// Today's files are UTF-8; an earlier file holds the plug-in's ANSI text, read in the code page
// (Windows-1252 natively and on a Western Windows).
TEST(DocumentFile, HoldsUnicodeAndReadsEarlierAnsiFiles) {
  stub::FakeHost host;
  const std::string utf8 = u8"Title=Łódź — 東京\nKeyword=Zoë\nKeyword=😀\n";
  ParseDocument(utf8, host);
  EXPECT_EQ(host.Field(Code("ObjN")), u8"Łódź — 東京");
  EXPECT_EQ(FormatDocument(host), utf8);
  ParseDocument("\xEF\xBB\xBF" + utf8, host);
  EXPECT_EQ(FormatDocument(host), utf8) << "a byte order mark is skipped";

#ifdef _WIN32
  if (GetACP() != 1252) GTEST_SKIP() << "the system's ANSI code page is " << GetACP() << ", not 1252";
#endif
  ParseDocument("Title=Jos\xE9 \x80 5\nKeyword=caf\xE9\n", host);
  EXPECT_EQ(host.Field(Code("ObjN")), u8"José € 5");
  EXPECT_EQ(host.Keywords(), (std::vector<std::string>{u8"café"}));
  EXPECT_TRUE(host.errors.empty());
}

TEST(DocumentFile, NoKeywordLinesMeansNoKeywordList) {
  stub::FakeHost host;
  ParseDocument("Title=x", host);
  EXPECT_EQ(host.fileInfo.Find(Code("Kywd")), nullptr);
  ParseDocument("", host);
  EXPECT_TRUE(host.fileInfo.items.empty());
}

}  // namespace
