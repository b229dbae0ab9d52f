// Stepping through the script's text by character. The 32-bit build keeps the machine's ANSI code
// page, where on a double-byte Windows (Japanese, Chinese, Korean) the second byte of a character
// can be "\" or "^"; the 64-bit builds keep UTF-8, whose bytes of a character are never ASCII.
#pragma once

#include <cstddef>
#include <string>

// Whether byte starts a character of two bytes.
bool IsLeadByte(char byte);

// The position of the first character c at or after from (a character boundary); npos when none.
std::size_t FindCharacter(const std::string& text, char c, std::size_t from = 0);

#ifndef _WIN32
// The native build has no code page: tests give it the lead-byte ranges of one (pairs of first and
// last byte, ending in two zeros), or none.
void SetLeadByteRanges(const unsigned char* ranges);
#endif
