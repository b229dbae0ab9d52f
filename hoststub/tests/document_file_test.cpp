#include "document_file.h"

#include <gtest/gtest.h>

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

TEST(DocumentFile, NoKeywordLinesMeansNoKeywordList) {
  stub::FakeHost host;
  ParseDocument("Title=x", host);
  EXPECT_EQ(host.fileInfo.Find(Code("Kywd")), nullptr);
  ParseDocument("", host);
  EXPECT_TRUE(host.fileInfo.items.empty());
}

}  // namespace
