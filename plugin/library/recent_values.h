// The recent values: for each File Info field up to ten confirmed values, newest first, kept as
// one entry "v1|v2|...". Recent.dat holds the six entries as six lines in field order:
// Title, Photographer, Description, Keywords, Copyright, URL.
#pragma once

#include <cstddef>
#include <string>

#include "file_info.h"
#include "keyword_text.h"

constexpr std::size_t kRecentFieldCount = kFileInfoFieldCount;  // one line per field
constexpr std::size_t kRecentValueCount = 10;
// Menu id of the first field's recent values; each further field adds 1000.
constexpr int kRecentMenuBase = 31000;

// The key that starts line index of Recent.dat ("Title=", ..., "URL="): the name of the field
// shown on that line, with "=".
std::string RecentKey(std::size_t index);

// Keeps printable bytes, the accented letters and signs of the ANSI code page (0x80 to 0xFF)
// included, writes each line break (CR LF, or a CR or LF alone) as a blank, and drops the other
// control characters (0x00 to 0x1F and 0x7F), so a value never carries a line break into
// Recent.dat and the words on both sides of one stay apart.
std::string CleanText(const std::string& value);

// The entry after confirming value: the cleaned and trimmed value first, then the older values
// without it, at most ten in all. A value that is empty once cleaned and trimmed leaves the
// entry as it was. Trimming makes a keyword text in its produced form ("a; b; ") equal to its
// stored copy, so confirming the same keywords again moves them to the front.
std::string MergeRecentValue(const std::string& value, const std::string& entry);

// Recent.dat's content for the six entries (missing ones written empty).
std::string FormatRecentText(const TextList& entries);

// The table read from Recent.dat's content, by line position whatever the keys say: the value
// after the first "=" of each line, the whole line when it has none. Lines are taken whole, so
// a long keywords entry never spills into the fields after it.
TextList ParseRecentText(const std::string& text);
