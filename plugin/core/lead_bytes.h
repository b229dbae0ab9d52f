// The lead bytes of the ANSI code page's double-byte characters. On a Japanese, Chinese or Korean
// Windows (code pages 932, 936, 949, 950) a character takes one or two bytes, and the second byte
// of two can equal an ASCII character: "\\", "|", "^", a letter. Wherever the plug-in compares or
// changes single bytes of its text, it steps through the text by character with these.
//
// The table is empty (every character one byte) until the 32-bit build's Win32 layer fills it
// from the system as the module loads; the 64-bit builds never fill it: in UTF-8 no byte of a
// character of several bytes is ASCII. Platform-neutral; tests fill it themselves.
#pragma once

#include <cstddef>

// Takes the lead bytes from ranges: pairs of first and last byte, as many as count bytes hold,
// ending early at a pair whose first byte is 0 (the system's form). Empty ranges clear the table.
void SetLeadByteRanges(const unsigned char* ranges, std::size_t count);

// Whether any byte is a lead byte, that is whether the text is double-byte text.
bool HasLeadBytes();

bool IsLeadByte(char byte);

// Bytes the character at text (not at its NUL) takes: 2 for a lead byte followed by a byte other
// than the NUL, otherwise 1. A lead byte at the end of the text stands alone.
inline std::size_t CharacterBytes(const char* text) {
  return IsLeadByte(text[0]) && text[1] != '\0' ? 2 : 1;
}

// The longest prefix of text (length bytes) that fits in maxBytes and does not end between the
// two bytes of a character.
std::size_t DoubleBytePrefix(const char* text, std::size_t length, std::size_t maxBytes);
