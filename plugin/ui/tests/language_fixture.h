// A library root of the test's own holding the system's en_US speller (in the root) and
// thesaurus (in its dic folder), and the plug-in's state over it with its language services
// loaded, so the language operations answer from these files and the user word list is written
// here.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "keyword_library.h"
#include "plugin_state.h"
#include "temp_folder.h"

class LanguageRootTest : public ::testing::Test {
 protected:
  // A root without any dictionary file: no speller and no thesaurus.
  virtual bool WithDictionaries() const { return true; }

  void SetUp() override {
    if (!WithDictionaries()) {
      library.IsWordCorrect("sea");
      return;
    }
    namespace fs = std::filesystem;
    const std::string system = SYSTEM_DICTIONARIES;
    const fs::path root = dir.Path();
    fs::copy_file(system + "/hunspell/en_US.aff", root / "en_US.aff");
    fs::copy_file(system + "/hunspell/en_US.dic", root / "en_US.dic");
    fs::create_directories(root / "dic");
    fs::copy_file(system + "/mythes/th_en_US_v2.idx", root / "dic" / "en_US.idx");
    fs::copy_file(system + "/mythes/th_en_US_v2.dat", root / "dic" / "en_US.dat");
    ASSERT_TRUE(library.IsWordCorrect("sea"));  // loads the services over this root
  }

  TempFolder dir;
  PluginState plugin{dir.Path()};
  KeywordLibrary& library = plugin.Library();
};
