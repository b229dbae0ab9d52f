// The speller and thesaurus libraries against the system's en_US files.
#include <hunspell.hxx>
#include <mythes.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kHunspellDir = SYSTEM_DICTIONARIES "/hunspell/";
const std::string kMythesDir = SYSTEM_DICTIONARIES "/mythes/";

TEST(Dependencies, SpellerChecksAndSuggests) {
  Hunspell speller((kHunspellDir + "en_US.aff").c_str(), (kHunspellDir + "en_US.dic").c_str());
  EXPECT_TRUE(speller.spell(std::string("photograph")));
  EXPECT_FALSE(speller.spell(std::string("fotograph")));

  // The older list interface: the caller releases strings and list with the C allocator.
  // Hunspell marks it deprecated; it is the call the service is written against.
  char** list = nullptr;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const int count = speller.suggest(&list, "fotograph");
#pragma GCC diagnostic pop
  std::vector<std::string> suggestions;
  for (int i = 0; i < count; ++i) {
    suggestions.push_back(list[i]);
    std::free(list[i]);
  }
  std::free(list);
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "photograph"), suggestions.end());
}

TEST(Dependencies, ThesaurusFindsSynonyms) {
  MyThes thesaurus((kMythesDir + "th_en_US_v2.idx").c_str(), (kMythesDir + "th_en_US_v2.dat").c_str());
  mentry* meanings = nullptr;
  const int count = thesaurus.Lookup("cat", 3, &meanings);
  ASSERT_GT(count, 0);
  bool feline = false;
  for (int m = 0; m < count; ++m) {
    for (int s = 0; s < meanings[m].count; ++s) {
      if (std::string(meanings[m].psyns[s]).find("feline") != std::string::npos) feline = true;
    }
  }
  thesaurus.CleanUpAfterLookup(&meanings, count);
  EXPECT_TRUE(feline);
}

}  // namespace
