// Headers in a text list. Two lists carry headers among their entries: the group list (a folder's
// name before the groups it holds) and the thesaurus's synonyms (a meaning before its synonyms).
// A header is told apart by a leading mark byte that no entry of the user's can begin with, never
// by the user's own text: a name or value beginning with "_" or any other sign is a plain entry.
//
// The mark is the control character 0x01: in every ANSI code page of the 32-bit build a control
// character and never part of a double-byte one (whose bytes are 0x40 and above), in UTF-8 U+0001.
// No name or word begins with it: Windows refuses control characters in file and folder names
// (the group list skips such a name where another file system allows it), and the thesaurus's
// synonyms lose it (PlainListEntry).
// Platform-neutral.
#pragma once

#include <string>

constexpr char kListHeaderMark = '\x01';

// The header entry for name.
inline std::string ListHeader(const std::string& name) {
  return kListHeaderMark + name;
}

inline bool IsListHeader(const std::string& entry) {
  return !entry.empty() && entry[0] == kListHeaderMark;
}

// The name a header stands for (the mark removed); an entry that is no header comes back whole.
inline std::string ListHeaderName(const std::string& entry) {
  return IsListHeader(entry) ? entry.substr(1) : entry;
}

// entry made safe to stand as a plain entry in a list with headers: leading marks are dropped.
inline void PlainListEntry(std::string& entry) {
  entry.erase(0, entry.find_first_not_of(kListHeaderMark));
}
