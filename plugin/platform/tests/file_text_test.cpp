// The plug-in's files and names in its own text: UTF-8 in the 64-bit builds, ANSI in the 32-bit
// build, whatever the system names them in (under Wine: code page 1252).
#include "file_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "keyword_text.h"
#include "plugin_text.h"
#include "temp_folder.h"
#include "utf8_text.h"

namespace {

namespace fs = std::filesystem;

TEST(FileText, AnsiLinesBecomeUtf8InThe64BitBuildsAndStayAsTheyAreIn32Bit) {
#ifdef _WIN32
  ASSERT_EQ(GetACP(), 1252u) << "the cases below are Windows-1252 text";
#endif
  const struct {
    const char* bytes;
    std::u16string text;  // what the 64-bit builds read
  } cases[] = {
      {"Title=Dawn\r\n", u"Title=Dawn\r\n"},
      {"Title=\xC9t\xE9\r\n", u"Title=\u00C9t\u00E9\r\n"},
      {"Title=\xC3\x89t\xC3\xA9\n", u"Title=\u00C9t\u00E9\n"},
      {"\xEF\xBB\xBFKeywords=a; \n", u"Keywords=a; \n"},  // an editor's byte-order mark
      // Line by line: one ANSI line does not make the UTF-8 lines around it ANSI.
      {"A=\xC5\x81\xC3\xB3\x64\xC5\xBA\nB=caf\xE9\nC=\xE6\x9D\xB1",
       u"A=\u0141\u00F3d\u017A\nB=caf\u00E9\nC=\u6771"},
      {"\x80\x81\x8A\x9F\xA0\xFF", u"\u20AC\u0081\u0160\u0178\u00A0\u00FF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::string read = FileTextToPluginText(c.bytes);
    EXPECT_EQ(read, kUtf8Text ? Utf16ToUtf8(c.text) : std::string(c.bytes));
  }
  // Every byte converts, to one character each, in either build; outside 0x80 to 0x9F the code
  // page agrees with Latin-1.
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::u16string converted = Utf8ToUtf16(AnsiCodePageToUtf8(all));
  ASSERT_EQ(converted.size(), all.size());
  for (int byte = 1; byte < 256; ++byte) {
    if (byte >= 0x80 && byte < 0xA0) continue;
    EXPECT_EQ(converted[byte - 1], byte);
  }
}

// Names the system holds in Unicode: each is listed under the name that opens it again, or, where
// the plug-in's text cannot hold it (the 32-bit build), marked so that nobody offers a look-alike.
TEST(FileText, NamesOutsideTheCodePageAreListedWholeOrMarkedLost) {
  TempFolder dir;
  const std::u16string names[] = {u"Caf\u00E9.tmp", u"\u0141\u00F3d\u017A.tmp", u"\u6771\u4EAC"};
  for (const std::u16string& name : names) {
    if (name.find(u'.') == std::u16string::npos) {
      fs::create_directory(fs::path(dir.Path()) / name);
    } else {
      std::ofstream(fs::path(dir.Path()) / name, std::ios::binary) << "Title=x\n";
    }
  }
  std::vector<DirectoryEntry> entries;
  ASSERT_TRUE(ListDirectory(dir.Path(), entries));
  ASSERT_EQ(entries.size(), 3u);
  TextList held;
  for (const DirectoryEntry& entry : entries) {
    if (entry.nameLost) continue;
    held.push_back(entry.name);
    EXPECT_EQ(entry.directory, entry.name.find('.') == std::string::npos) << entry.name;
    EXPECT_TRUE(PathExists(dir.Path() + entry.name)) << entry.name;
    if (entry.directory) continue;
    std::FILE* file = OpenFileStream(dir.Path() + entry.name, "rb");
    EXPECT_NE(file, nullptr) << entry.name;
    if (file) std::fclose(file);
  }
  std::sort(held.begin(), held.end());
  if (kUtf8Text) {
    EXPECT_EQ(held,
              (TextList{Text(u"Caf\u00E9.tmp"), Text(u"\u0141\u00F3d\u017A.tmp"), Text(u"\u6771\u4EAC")}));
  } else {
    EXPECT_EQ(held, TextList{"Caf\xE9.tmp"});
  }
}

}  // namespace
