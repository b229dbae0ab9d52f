// Conversion between the plug-in's single-byte text (Windows-1252, the Western ANSI code page)
// and UTF-8, the encoding that UTF-8 dictionary and thesaurus files expect their words in.
#pragma once

#include <string>

std::string AnsiToUtf8(const std::string& ansi);

// Converts to Windows-1252. Characters it cannot represent, and malformed UTF-8, become "?";
// the result is then false, so that callers can leave such a word out instead of offering a
// word that was never in the dictionary.
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi);
