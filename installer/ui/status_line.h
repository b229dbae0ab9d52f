// The dialog's status line text: a plain text rule, no windows.
#pragma once

#include <cstddef>
#include <string>

// The status line holds at most this many characters (bytes of its code page in the 32-bit build).
constexpr std::size_t kStatusLineMax = 99;
// The text for the status line's control: "text: detail", or "text" when there is no detail, cut
// to kStatusLineMax, then each "&" doubled so that the control shows it as it is rather than
// underlining the next letter (a file or folder name may hold one).
std::string StatusLine(const char* text, const char* detail);
