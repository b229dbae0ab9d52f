// Which text the plug-in keeps in its char strings. The 32-bit build keeps the single-byte ANSI
// text of the classic host, its files and its Windows; the 64-bit builds (the x64 product, and the
// native build, where its behaviour is tested) keep UTF-8 and speak Unicode at every boundary.
// Code that must tell the two apart asks here, and nowhere else decides it.
#pragma once

constexpr bool kUtf8Text = sizeof(void*) == 8;

#include <cstddef>

#include "lead_bytes.h"
#include "utf8_text.h"

// How much of text (length bytes) a cut to maxBytes keeps: never part of a character, in UTF-8
// or in a double-byte ANSI code page (lead_bytes.h).
inline std::size_t TextPrefix(const char* text, std::size_t length, std::size_t maxBytes) {
  if (HasLeadBytes()) return DoubleBytePrefix(text, length, maxBytes);
  if (kUtf8Text) return Utf8Prefix(text, length, maxBytes);
  return length < maxBytes ? length : maxBytes;
}

// A text's capacity counts characters as an edit control does (UTF-16 units): the limit that
// binds in the editor's boxes. TextSize is the buffer that holds characters of them, NUL
// included: one byte each in the ANSI build, at most three in UTF-8 (a character of four bytes
// takes two units). TextCapacity is the reverse.
constexpr std::size_t TextSize(std::size_t characters) {
  return (kUtf8Text ? 3 : 1) * characters + 1;
}
constexpr std::size_t TextCapacity(std::size_t size) {
  return size == 0 ? 0 : (size - 1) / (kUtf8Text ? 3 : 1);
}

// How much of text (length bytes) a cut to characters characters keeps: never part of a
// character, and never more than TextSize(characters) - 1 bytes.
inline std::size_t CharacterPrefix(const char* text, std::size_t length, std::size_t characters) {
  const std::size_t bytes = TextPrefix(text, length, TextSize(characters) - 1);
  if (!kUtf8Text) return bytes;
  return Utf8OffsetOf(std::string(text, bytes), characters);
}

// The characters text takes, as its capacity counts them.
inline std::size_t TextCharacters(const std::string& text) {
  return kUtf8Text ? Utf16UnitsOf(text, text.size()) : text.size();
}
