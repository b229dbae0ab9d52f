// The 32-bit build's text on a Japanese Windows (code page 932), where a character takes one or
// two bytes and the second byte of two can be an ASCII character. Natively the cases run with
// code page 932's lead bytes set by the test; in the 32-bit Windows build the table comes from
// the system as the module loads (the test program runs with a Japanese ANSI code page). The
// 64-bit Windows build keeps UTF-8 and never fills the table.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "keyword_library.h"
#include "list_header.h"
#include "keyword_text.h"
#include "lead_bytes.h"
#include "list_menu.h"
#include "plugin_text.h"
#include "recent_values.h"
#include "temp_folder.h"
#include "file_info_record.h"

namespace {

// Characters of code page 932 whose second byte is ASCII.
constexpr const char kA[] = "\x83\x41";    // katakana A: "A"
constexpr const char kDi[] = "\x83\x61";   // katakana DI: "a"
constexpr const char kI[] = "\x83\x43";    // katakana I: "C"
constexpr const char kSu[] = "\x83\x58";   // katakana SU: "X"
constexpr const char kPo[] = "\x83\x7C";   // katakana PO: "|"
constexpr const char kKi[] = "\x8B\x40";   // "machine": "@"
constexpr const char kNou[] = "\x94\x5C";  // "ability": "\\"
constexpr const char kSo[] = "\x83\x5C";   // katakana SO: "\\"

class DoubleByteText : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    if (kUtf8Text) {
      EXPECT_FALSE(HasLeadBytes()) << "UTF-8 text needs no lead bytes, on a Japanese Windows too";
      GTEST_SKIP() << "the 64-bit build keeps UTF-8";
    }
    ASSERT_EQ(GetACP(), 932u) << "the program runs under a Japanese ANSI code page";
    // Filled from the system's code page before the first test.
    ASSERT_TRUE(IsLeadByte('\x83'));
    ASSERT_TRUE(IsLeadByte('\xE0'));
    ASSERT_FALSE(IsLeadByte('\xA0'));
    ASSERT_FALSE(IsLeadByte('a'));
#else
    static const unsigned char kCodePage932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    SetLeadByteRanges(kCodePage932, sizeof kCodePage932);
#endif
  }
  void TearDown() override {
#if !defined(_WIN32)
    SetLeadByteRanges(nullptr, 0);
#endif
  }
};

std::string Cat(std::initializer_list<const char*> parts) {
  std::string text;
  for (const char* part : parts) text += part;
  return text;
}

TEST_F(DoubleByteText, CaseToolsChangeOnlyAsciiLetters) {
  const std::string mixed = Cat({"Ab ", kA, kI, kSu, " ", kDi, "z"});
  std::string text = mixed;
  LowerCaseKeywords(&text[0]);
  EXPECT_EQ(text, Cat({"ab ", kA, kI, kSu, " ", kDi, "z"}));
  UpperCaseKeywords(&text[0]);
  EXPECT_EQ(text, Cat({"AB ", kA, kI, kSu, " ", kDi, "Z"}));
}

TEST_F(DoubleByteText, KeywordsSplitAndTrimOnlyAtWholeCharacters) {
  TextList list;
  SplitKeywords(Cat({kPo, "|x|", kSo, kPo}).c_str(), list, false, true);
  EXPECT_EQ(list, (TextList{kPo, "x", Cat({kSo, kPo})}));
  list.clear();
  SplitKeywords(Cat({" ", kKi, kNou, "; ", kSo, " ", kSu, ","}).c_str(), list, true, false);
  EXPECT_EQ(list, (TextList{Cat({kKi, kNou}), kSo, kSu}));
  EXPECT_EQ(CountKeywords(Cat({kPo, ";", kA}).c_str()), 2);

  // Recent values are kept apart by "|".
  const std::string recent = MergeRecentValue(Cat({"Ice ", kPo}), Cat({kPo, "|b"}));
  EXPECT_EQ(recent, Cat({"Ice ", kPo, "|", kPo, "|b"}));
}

TEST_F(DoubleByteText, CutsNeverSplitACharacter) {
  const std::string text = Cat({"a", kA, kI});  // 5 bytes
  EXPECT_EQ(TextPrefix(text.c_str(), text.size(), 2), 1u);
  EXPECT_EQ(TextPrefix(text.c_str(), text.size(), 4), 3u);
  EXPECT_EQ(TextPrefix(text.c_str(), text.size(), 5), 5u);
  char buffer[5];
  EXPECT_FALSE(CopyText(buffer, sizeof buffer, text.c_str()));
  EXPECT_EQ(std::string(buffer), Cat({"a", kA}));
  // A lead byte at the end of the text stands alone.
  EXPECT_EQ(TextPrefix("a\x83", 2, 2), 2u);

  // Menu entries are cut at forty bytes, never inside a character.
  std::string entry = "x";
  for (int i = 0; i < 25; ++i) entry += kA;
  EXPECT_EQ(MenuDisplayText(entry), entry.substr(0, 39) + "...");
}

TEST_F(DoubleByteText, NamesWithATrailByteBackslashAreSavedAndOnlyRealSeparatorsRefused) {
  TempFolder dir;
  dir.MakeDir("Templates");
  dir.MakeDir("Groups");
  const KeywordLibrary library(dir.Path());
  const std::string name = Cat({kKi, kNou});
  EXPECT_TRUE(library.SaveTemplate(name.c_str(), RecordOf({"k", "t", "", "", "", ""})));
  FileInfoRecord record{};
  EXPECT_TRUE(library.LoadTemplate(name.c_str(), record));
  EXPECT_STREQ(record.title, "t");
  EXPECT_TRUE(library.SaveGroup("", Cat({kSo, kNou}).c_str(), "k"));
  library.CreateFolder(name.c_str(), kGroupFolder);
  EXPECT_TRUE(library.SaveGroup(name.c_str(), kSo, "k"));
  TextList groups;
  library.ListGroups(groups);
  EXPECT_EQ(groups, (TextList{Cat({kSo, kNou}), ListHeader(name), kSo}));

  EXPECT_FALSE(library.SaveTemplate(Cat({kA, "\\..\\x"}).c_str(), RecordOf({"k", "", "", "", "", ""})));
  EXPECT_FALSE(library.SaveTemplate(Cat({kA, "/x"}).c_str(), RecordOf({"k", "", "", "", "", ""})));
}

}  // namespace
