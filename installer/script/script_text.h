// The text of an install script: its lines and an index of its sections.
//
// Line rules: a line ends at a line feed, a carriage return before it is not part of the line,
// a line holds at most kScriptLineMax characters (the rest of a longer line is dropped), and
// empty lines are skipped. The last line counts even without a line break after it.
//
// A section starts at a line "[name]" (the first such line when the name appears twice) and
// runs to the next line that begins with "[" and ends with "]". A key line splits at its first
// "="; a line without "=" has the whole line as key and value. The index is built once, so a
// lookup costs the same whatever the size of the script.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

constexpr std::size_t kScriptLineMax = 999;

class ScriptText {
 public:
  void Parse(const std::string& content);

  // Value of the first line of the section whose key equals key; null when there is none.
  const std::string* Find(const std::string& section, const std::string& key) const;
  // Number of lines of the section (0 when it is missing).
  int Count(const std::string& section) const;
  // Positions in Lines() of the section's first line and one past its last (equal when missing).
  void Range(const std::string& section, std::size_t& begin, std::size_t& end) const;

  // Non-empty lines in file order, and the position of the first line equal to text
  // (Lines().size() when there is none).
  const std::vector<std::string>& Lines() const { return lines_; }
  std::size_t LineIndex(const std::string& text) const;

  static bool IsBracketed(const std::string& line);
  // Splits a key line at its first "=".
  static void SplitKeyLine(const std::string& line, std::string& key, std::string& value);

 private:
  struct Section {
    std::size_t begin = 0;
    int count = 0;
    std::unordered_map<std::string, std::string> values;  // first line of each key
  };
  std::vector<std::string> lines_;
  std::unordered_map<std::string, Section> sections_;  // by header text "[name]"
};

// Reads a script file (binary, so both line break forms are handled alike). False when the
// file cannot be opened.
bool ReadScriptFile(const std::string& path, ScriptText& text);
