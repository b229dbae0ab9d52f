// What lives for one load of the plug-in: the editor's working copy and state, the keyword library
// and the language services. The module makes one on its first message and frees it when it is
// unloaded (plugin_main.cpp); tests make their own over a library of theirs. Everything reaches
// it through what it is handed (the editor through its dialog state), never through a global.
#pragma once

#include <memory>
#include <string>

#include "editor_dialog.h"
#include "file_info.h"
#include "keyword_library.h"
#include "language_services.h"

class PluginState {
 public:
  // The module's: the library's root is found (and an earlier library moved, in the x64 module)
  // when the library is first used, as the editor opens or "Last" is saved.
  PluginState();
  // A library at root (ending with the path separator), with the dictionaries looked for after
  // it in dictionaries (empty for none).
  explicit PluginState(const std::string& root, const std::string& dictionaries = std::string());
  ~PluginState();
  PluginState(const PluginState&) = delete;
  PluginState& operator=(const PluginState&) = delete;

  FileInfoRecord workingCopy = {};  // the editor's record, kept between runs
  EditorState editor;

  KeywordLibrary& Library();
  // Made with the library's root and dictionary folder, which stay its folders.
  LanguageServices& Language();

 private:
  struct LibraryPart;
  std::unique_ptr<LibraryPart> library_;
};
