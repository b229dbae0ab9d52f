// The keyword-list text format that catalog programs and photo managers read and write: a
// vocabulary of keywords in a hierarchy, with synonyms.
//
//   Animals            one keyword per line; its depth is the number of leading tabs, which grows
//   	Birds          by at most one from one line to the next
//   		{Aves}     a synonym of the keyword on a line above it, one level deeper
//   [Places]           a category: structure only, never written into an image
//
// Platform-neutral. The text is the plug-in's text: the file's bytes go through
// FileTextToPluginText first, which takes off a byte-order mark and reads a line that is not
// UTF-8 as the ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct KeywordNode {
  std::string text;
  bool category = false;
  std::vector<std::string> synonyms;
  std::vector<KeywordNode> children;
  // Where the reader found the keyword and each synonym (line numbers from 1); 0 for a node made
  // otherwise. The writer does not look at them.
  std::size_t line = 0;
  std::vector<std::size_t> synonymLines;
};

// A line the reader did not understand, by its number (the first line is 1).
struct KeywordListLine {
  std::size_t number;
  std::string text;
};

struct KeywordList {
  std::vector<KeywordNode> roots;
  std::vector<KeywordListLine> notUnderstood;
};

// Reads a keyword list. Lines end in LF or CR LF; blank lines (tabs and blanks only) are skipped.
// Not understood, and left out: a line deeper than one level below the keyword before it, a
// synonym with no keyword above it, an empty "{}" or "[]", and so each line that would hang from
// one of them. Any other leading mark, and a "{" or "[" that does not close at the line's end, is
// the keyword's text.
KeywordList ParseKeywordList(const std::string& text);

// Writes nodes in the same format, each line ended by CR LF, a keyword's synonyms on the lines
// right below it. A line break inside a text is written as a blank, so it cannot start a line.
std::string FormatKeywordList(const std::vector<KeywordNode>& roots);
