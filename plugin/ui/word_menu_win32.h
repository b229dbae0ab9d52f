// The word menu in the editor's keyword box: opened by a right click on a word, it offers the
// thesaurus's synonyms for a correct word, spelling suggestions for a misspelled one, and
// commands on the word itself. The word and its place are kept in the editor state from the
// opening of the menu to the command that follows.
#pragma once

#include <windows.h>

#include "editor_commands.h"

// Handles WM_RBUTTONDOWN in the keyword box: opens the word menu and returns 1, or gives an empty
// box the edit control's own behaviour and returns its result.
LRESULT OpenWordMenu(EditorContext& editor, HWND box, WPARAM wParam, LPARAM lParam);

// Unicode builds: the suggestions of the keyword box's words are worked out ahead, while the user
// reads or pauses typing, so that the word menu opens at once. A German or Polish search takes
// several times a menu's opening, so it runs in steps of one word in one language, on the
// editor's thread (as the language load does), each step when the thread has no other message.
// PrepareWordMenus queues the box's words and starts the steps; KeywordsTyped starts them again
// once the typing pauses; OnWordMenuTimer takes the editor's WM_TIMER. Nothing in the 32-bit build.
void PrepareWordMenus(EditorContext& editor);
void KeywordsTyped(EditorContext& editor);
void OnWordMenuTimer(EditorContext& editor, UINT_PTR timer);

// The word menu's commands on the editor's keyword box. A synonym joins the keywords at the end;
// the commands on the word do nothing when the menu opened on no word or the word is no longer
// where it was found.
void OnSynonym(EditorContext& editor, const EditorCommandCall& call);
void OnSuggestion(EditorContext& editor, const EditorCommandCall& call);
void OnDeleteWord(EditorContext& editor, const EditorCommandCall& call);
void OnWordCase(EditorContext& editor, const EditorCommandCall& call);  // upper or lower, by id
void OnSelectAll(EditorContext& editor, const EditorCommandCall& call);
void OnAddToDictionary(EditorContext& editor, const EditorCommandCall& call);
