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
