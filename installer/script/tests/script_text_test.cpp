#include "script_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ScriptText Parsed(const std::string& content) {
  ScriptText text;
  text.Parse(content);
  return text;
}

std::string Value(const ScriptText& text, const char* section, const char* key) {
  const std::string* value = text.Find(section, key);
  return value ? *value : "<none>";
}

TEST(ScriptText, LineBreakFormsAndEmptyLines) {
  for (const char* content : {"[S]\r\na=1\r\n\r\nb=2\r\n", "[S]\na=1\n\nb=2\n", "\n\n[S]\na=1\r\n\nb=2"}) {
    ScriptText text = Parsed(content);
    EXPECT_EQ(Value(text, "S", "a"), "1") << content;
    EXPECT_EQ(Value(text, "S", "b"), "2") << content;
    EXPECT_EQ(text.Count("S"), 2) << content;
  }
}

TEST(ScriptText, LastLineWithoutLineBreakIsRead) {
  ScriptText text = Parsed("[INSTALL_ORDER]\n1=CopyFile,a,b,c,TRUE\n2=DeleteFile,x");
  EXPECT_EQ(Value(text, "INSTALL_ORDER", "2"), "DeleteFile,x");
  EXPECT_EQ(text.Count("INSTALL_ORDER"), 2);
}

TEST(ScriptText, LineLengthLimit) {
  const std::string full(kScriptLineMax - 2, 'v');
  ScriptText text = Parsed("[S]\nk=" + full + "\nnext=1\n");
  EXPECT_EQ(Value(text, "S", "k"), full);  // 999 characters, read whole

  const std::string longer(1500, 'w');
  text = Parsed("[S]\nk=" + longer + "\r\nnext=1\n");
  EXPECT_EQ(Value(text, "S", "k").size(), kScriptLineMax - 2);
  EXPECT_EQ(Value(text, "S", "next"), "1");  // the cut-off rest does not become a line
  EXPECT_EQ(text.Count("S"), 2);
}

TEST(ScriptText, KeysAndSections) {
  ScriptText text = Parsed(
      "[S]\n"
      "a=b=c\n"
      "a = b\n"
      "a=later\n"
      "; a comment\n"
      "=empty key\n"
      "[\n"
      "[T]\n"
      "x=1\n"
      "[S]\n"
      "late=1\n");
  EXPECT_EQ(Value(text, "S", "a"), "b=c");  // first line of a key wins
  EXPECT_EQ(Value(text, "S", "a "), " b");  // blanks are part of keys and values
  EXPECT_EQ(Value(text, "S", "; a comment"), "; a comment");
  EXPECT_EQ(Value(text, "S", ""), "empty key");
  EXPECT_EQ(Value(text, "S", "["), "[");  // "[" alone is an ordinary line
  EXPECT_EQ(text.Count("S"), 6);
  EXPECT_EQ(Value(text, "S", "late"), "<none>");  // only the first [S] is a section
  EXPECT_EQ(Value(text, "T", "x"), "1");
  EXPECT_EQ(Value(text, "s", "a"), "<none>");  // names are case-sensitive
  EXPECT_EQ(Value(text, "Missing", "a"), "<none>");
  EXPECT_EQ(text.Count("Missing"), 0);

  std::size_t begin, end;
  text.Range("T", begin, end);
  ASSERT_EQ(end - begin, 1u);
  EXPECT_EQ(text.Lines()[begin], "x=1");
  EXPECT_EQ(text.LineIndex("[T]"), begin - 1);
  EXPECT_EQ(text.LineIndex("[Nope]"), text.Lines().size());
}

}  // namespace
