// The spell-check dialog (resource 120): walks the words of the editor's spell buffer, stopping
// at each word the speller rejects, and on OK writes the edited words back into the buffer. It
// always ends with 0; Cancel (or the close box) leaves the buffer as it was.
#pragma once

#include <windows.h>

#include <cstddef>

#include "editor_commands.h"
#include "keyword_library.h"
#include "spell_walk.h"

// Caption of the dialog and of its completion message.
constexpr const char kSpellCheckerCaption[] = "Spell Checker";
constexpr const char kSpellCheckComplete[] = "The spelling check is complete.";
// Shown, over the dialog, when a Replace or Delete is refused because the keywords would no
// longer fit their buffer; the word stays and the check goes on.
constexpr const char kSpellChangeRefused[] =
    "The keywords would be too long with this change, so the word is kept as it is.";

// One run of the dialog: the words of buffer (capacity bytes, NUL included) checked with the
// library's language operations, and written back there on OK.
struct SpellCheckDialog {
  SpellCheckDialog(const KeywordLibrary& checker, char* text, std::size_t size)
      : library(checker), buffer(text), capacity(size) {}
  const KeywordLibrary& library;
  char* buffer;
  std::size_t capacity;
  SpellWalk walk;
  TextList suggestions;
  WNDPROC suggestionListProc = nullptr;
  // Set once OK or Cancel has ended the dialog: the completion message runs its own message
  // loop, during which nothing may act on the walk again.
  bool ended = false;
};

INT_PTR CALLBACK SpellCheckProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog over buffer, owned by owner. An exception inside the dialog goes on from here.
void RunSpellCheck(HWND owner, const KeywordLibrary& library, char* buffer, std::size_t capacity);

// The editor's "Spell Checker" command: the keyword box goes through the dialog and comes back
// from the spell buffer (unchanged after Cancel).
void OnSpellChecker(EditorContext& editor, const EditorCommandCall& call);
