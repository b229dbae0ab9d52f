// Changes to a keyword text buffer that can make it longer: they never write past its
// capacity (bytes, NUL included) and never leave half a keyword behind.
#pragma once

#include <cstddef>

// Adds a group to the keyword text as "Add Keyword's Group" does: text, "; ", then the group's
// keyword text, whatever text ends with. When the whole group does not fit, only its keywords
// that fit whole are added (the group text is cut right after a "," or ";") and false is
// returned; when not even one keyword fits, text stays unchanged.
bool AppendGroupKeywords(char* text, std::size_t capacity, const char* group);

// Replaces length bytes at start (a word span, for example by a synonym). When the result would
// not fit, or the span lies outside the text, text stays unchanged and false is returned.
bool ReplaceTextSpan(char* text, std::size_t capacity, std::size_t start, std::size_t length,
                     const char* replacement);
