// The entry file shared by templates and keyword groups: one "key=value" line per key.
//
// Writing: keys in ascending byte order, each line "key=value\n", values as given except that a
// line break inside one is written as a blank, so no value ever spills into a line of its own
// (the library turns the keywords' line breaks into separators before). Reading: a line is read whole, so a
// full keyword text (9999 characters after "Keywords=") comes back complete; the key is what
// stands before the first "=", the value everything after it; a line without "=" is its own key
// and value; a key seen twice keeps its last value.
//
// A file written before line breaks were replaced holds the rest of such a value as lines of
// their own; they are read as any other line.
//
// Both sides work on text, so the format is tested without files; the library writes the files
// in text mode and reads them in binary mode around them.
#pragma once

#include <map>
#include <string>

using EntryMap = std::map<std::string, std::string>;

std::string FormatEntryText(const EntryMap& entries);

// Adds the lines of text to entries. A CR right before a LF is part of the line end.
void ParseEntryText(const std::string& text, EntryMap& entries);

// The value of key, or an empty text when the key is missing.
std::string EntryValue(const EntryMap& entries, const char* key);
