// UTF-8 and UTF-16, the two forms of Unicode text the x64 plug-in meets: UTF-8 inside (its
// records, its library files, the dictionaries), UTF-16 at the system's and the host's Unicode
// calls. Platform-neutral.
#pragma once

#include <cstddef>
#include <string>

// Malformed input (a stray continuation byte, a cut or overlong sequence, an encoded surrogate,
// a lone surrogate in UTF-16) becomes U+FFFD, one for each bad piece, so that nothing that can
// be converted is lost.
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

// Whether text is well-formed UTF-8 throughout (an empty text is).
bool IsUtf8(const std::string& text);

// The longest prefix of text (length bytes) that fits in maxBytes and ends on a character
// boundary: a cut there never splits a character.
std::size_t Utf8Prefix(const char* text, std::size_t length, std::size_t maxBytes);

// Number of UTF-16 units the first bytes of a UTF-8 text take, and back: the offset in the
// UTF-8 text that the first units of its UTF-16 form end at (never inside a character).
std::size_t Utf16UnitsOf(const std::string& utf8, std::size_t bytes);
std::size_t Utf8OffsetOf(const std::string& utf8, std::size_t units);
