// "SavedWords.dat", the user word list: one word per line, in list order, nothing else.
#pragma once

#include <cstddef>
#include <string>

#include "keyword_text.h"

// Longest entry read from one line; the rest of a longer line is read as further entries.
constexpr std::size_t kSavedWordLength = 255;

// Appends the words of the file's text in order: empty lines are skipped, words are taken as
// they stand (no case folding, no trimming, duplicates kept).
void ParseSavedWords(const std::string& text, TextList& words);

// The file's text: every word of at least one byte, followed by "\n".
std::string FormatSavedWords(const TextList& words);
