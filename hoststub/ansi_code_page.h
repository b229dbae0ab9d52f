// The host's char* text: the system's ANSI code page, the single-byte (or, in East Asian
// locales, double-byte) form of the document's Unicode text that PutString, GetString and
// GetStringLength carry. Converting to it is lossy exactly as the system's conversion is.
//
// Two halves chosen by the build: on Windows (ansi_code_page_win32.cpp) the system's own
// conversion with the active code page and no flags, so best fit applies ("Ł" becomes "L") and
// what has no fit becomes the code page's default character "?"; elsewhere (ansi_code_page.cpp)
// Windows-1252 written out, with no best fit: every character it lacks becomes "?".
#pragma once

#include <string>

namespace stub {

// The ANSI form of UTF-8 text (malformed UTF-8 converts as U+FFFD would: "?").
std::string AnsiFromUtf8(const std::string& utf8);

// The UTF-8 form of ANSI text; every byte sequence converts.
std::string Utf8FromAnsi(const std::string& ansi);

}  // namespace stub
