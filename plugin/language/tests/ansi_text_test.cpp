#include "ansi_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AnsiText, EveryAnsiByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  std::string back;
  EXPECT_TRUE(Utf8ToAnsi(AnsiToUtf8(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(AnsiText, UnrepresentableAndMalformedTextIsMarked) {
  const struct {
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {"\xC5\x9Dip", "?ip"},        // U+015D has no ANSI byte
      {"a\xF0\x9F\x98\x80", "a?"},  // outside the basic plane
      {"\xC3", "?"},                // cut sequence
      {"\xC3(", "?("},              // broken continuation
      {"\xC0\xAF", "?"},            // overlong "/"
      {"\xFF", "?"},
  };
  for (const auto& c : cases) {
    std::string ansi;
    EXPECT_FALSE(Utf8ToAnsi(c.utf8, ansi)) << c.utf8;
    EXPECT_EQ(ansi, c.ansi);
  }
}

}  // namespace
