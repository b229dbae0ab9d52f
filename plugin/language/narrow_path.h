// Hunspell and MyThes open their files themselves, through the C library's narrow calls, which on
// Windows take the ANSI code page. NarrowPaths gives two files of one folder in a form those calls
// open: on Windows their ANSI paths; where the code page cannot hold the folder's path (a user
// folder such as "Łukasz" under code page 1252) their names, with the folder made the current
// directory for as long as the NarrowPaths lives (short 8.3 names would do only where the volume
// makes them). Natively the paths themselves.
#pragma once

#include <string>

class NarrowPaths {
 public:
  // first and second name files of the same folder.
  NarrowPaths(const std::string& first, const std::string& second);
  ~NarrowPaths();
  NarrowPaths(const NarrowPaths&) = delete;
  NarrowPaths& operator=(const NarrowPaths&) = delete;

  // Empty where no narrow form reaches the file.
  const char* First() const { return first_.c_str(); }
  const char* Second() const { return second_.c_str(); }

 private:
  std::string first_, second_;
  std::wstring previous_;  // the current directory to go back to; empty when it was not changed
};
