// The dialog's status line text: a plain text rule, no windows.
#pragma once

#include <cstddef>
#include <string>

// The status line holds at most this many characters.
constexpr std::size_t kStatusLineMax = 99;
// "text: detail", or "text" when there is no detail, cut to kStatusLineMax.
std::string StatusLine(const char* text, const char* detail);
