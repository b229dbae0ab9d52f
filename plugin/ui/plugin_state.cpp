#include "plugin_state.h"

// The library and the language services over its folders, made together.
struct PluginState::LibraryPart {
  explicit LibraryPart(const KeywordLibrary& made)
      : library(made), language(library.Root(), library.DictionaryFolder()) {
    library.UseLanguageServices(language);
  }
  KeywordLibrary library;
  LanguageServices language;
};

PluginState::PluginState() = default;

PluginState::PluginState(const std::string& root, const std::string& dictionaries)
    : library_(std::make_unique<LibraryPart>(KeywordLibrary(root, dictionaries))) {}

PluginState::~PluginState() = default;

KeywordLibrary& PluginState::Library() {
  if (!library_) library_ = std::make_unique<LibraryPart>(KeywordLibrary());
  return library_->library;
}

LanguageServices& PluginState::Language() {
  Library();
  return library_->language;
}
