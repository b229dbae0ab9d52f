#include "word_encoding.h"

#include <gtest/gtest.h>

#include "plugin_text.h"

// The names a dictionary's SET line may give its encoding, in the Unicode builds.
TEST(WordEncoding, NamesMatchAsHunspellMatchesThem) {
  if (!kUtf8Text) GTEST_SKIP() << "the 32-bit build keeps its exact names";
  for (const char* name : {"ISO8859-1", "iso-8859-1", "ISO_8859_1", "Iso 8859 1", "x-unknown", ""}) {
    std::string out;
    EXPECT_TRUE(WordEncoding(name).ToFile("caf\xC3\xA9", out)) << name;
    EXPECT_EQ(out, "caf\xE9") << name;
    EXPECT_FALSE(
        WordEncoding(name).ToFile("\xC5\x81\xC3\xB3"
                                  "d\xC5\xBA",
                                  out))
        << name;  // no Ł in Latin-1
  }
  for (const char* name : {"UTF-8", "utf8", "Utf_8"}) {
    std::string out;
    EXPECT_TRUE(
        WordEncoding(name).ToFile("\xC5\x81\xC3\xB3"
                                  "d\xC5\xBA",
                                  out))
        << name;
    EXPECT_FALSE(WordEncoding(name).FromFile("caf\xE9", out)) << name;  // not UTF-8: dropped, not shown
  }
  // Another code page's words are written in it; a byte it has no character for is dropped, never
  // shown as U+FFFD.
  std::string out;
  EXPECT_TRUE(WordEncoding("iso-8859-2")
                  .ToFile("\xC5\x81\xC3\xB3"
                          "d\xC5\xBA",
                          out));
  EXPECT_EQ(out,
            "\xA3\xF3"
            "d\xBC");
  EXPECT_TRUE(WordEncoding("ISO8859-2")
                  .FromFile("\xA3\xF3"
                            "d\xBC",
                            out));
  EXPECT_EQ(out,
            "\xC5\x81\xC3\xB3"
            "d\xC5\xBA");
  EXPECT_FALSE(WordEncoding("ISO8859-3").FromFile("x\xA5", out));
}
