// The word menu in the editor's keyword box: opened by a right click on a word, it offers the
// thesaurus's synonyms for a correct word, spelling suggestions for a misspelled one, and
// commands on the word itself. The word and its place are kept in the editor state (Editor())
// from the opening of the menu to the command that follows.
#pragma once

#include <windows.h>

// Handles WM_RBUTTONDOWN in the keyword box: opens the word menu and returns 1, or gives an empty
// box the edit control's own behaviour and returns its result.
LRESULT OpenWordMenu(HWND box, WPARAM wParam, LPARAM lParam);

// Runs a word menu command (12000-12999, 13000-13999, 15000 to 19000) on the editor's keyword
// box. Commands on the word do nothing when the menu opened on no word or the word is no longer
// where it was found.
void RunWordCommand(HWND editor, int id);
