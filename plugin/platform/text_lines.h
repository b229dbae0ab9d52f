// Line splitting shared by the readers of the library's text files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Splits text into lines at LF; a CR right before a LF belongs to the line end, as when the
// file is read in text mode under Windows. A line longer than maxLength (0: no limit) comes
// back as pieces of at most maxLength characters (never ending inside one) and a remainder, as
// a reader with a fixed line buffer sees it. A last line without LF still counts; an empty text has no lines.
std::vector<std::string> SplitTextLines(const std::string& text, std::size_t maxLength);

// text with each line break (a CR LF pair, or a CR or LF on its own) replaced by breakText, so
// that it fits on one line of a file.
std::string ReplaceLineBreaks(const std::string& text, const char* breakText);
