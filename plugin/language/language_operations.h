// The four language operations behind KeywordLibrary's members of the same names. Each first
// lower-cases (ASCII letters only) and trims the word, and makes the process-wide spell service
// with base (the library root) and machine (where the dictionaries are looked for after base;
// null or empty for none) when there is none yet. The list operations append and never clear the
// caller's list.
#pragma once

#include "keyword_text.h"

namespace language {

bool IsWordCorrect(const char* base, const char* machine, const char* word);

// Appends the speller's suggestions, split at "," and ";" and trimmed; nothing without a speller.
void GetSuggestions(const char* base, const char* machine, const char* word, TextList& list);

// Appends, for each thesaurus meaning, a header (ListHeader(definition), list_header.h) and then
// its synonyms (split at "," and ";" and trimmed; never a header); nothing when the word is not
// in the thesaurus or there is none.
void GetSynonyms(const char* base, const char* machine, const char* word, TextList& list);

// Adds the word to the user word list (and its file) whether or not the speller knows it.
bool AddWordToDictionary(const char* base, const char* machine, const char* word);

// Makes the process-wide spell service with base and machine now, when there is none yet, so
// that the first of the operations above finds it ready.
void LoadLanguageService(const char* base, const char* machine);

}  // namespace language
