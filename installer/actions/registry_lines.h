// Lines of a registry section, laid out like a registry export:
//   [HKEY_CURRENT_USER\Software\Vendor\App]   key line: root, parent path, key name
//   "Path"="C:\App"                           string value (quotes removed, nothing unescaped)
//   "Count"=dword:0000000a                    number ("hex:" works the same)
//   @="text"                                  the key's default value
// A DeleteRegistry section names values by their bare name instead.
#pragma once

#include <cstdint>
#include <string>

enum class RegistryRoot { kLocalMachine, kCurrentUser, kClassesRoot, kUsers, kCurrentConfig };

struct RegistryKeyLine {
  std::string root;    // text before the first backslash
  std::string parent;  // between the first and the last backslash
  std::string name;    // after the last backslash
  // Whether the line names a parent and a key below the root. A key right below a root (or a
  // bracketed line without any backslash, such as a later section's header) is not supported:
  // the actions create, write and delete nothing for it or for the lines under it.
  bool supported = false;
};

// False when the line is not in brackets.
bool ParseKeyLine(const std::string& line, RegistryKeyLine& key);

// Changes root only for the four names that select another root; HKEY_LOCAL_MACHINE and unknown
// names keep the root in effect.
void SelectRoot(const std::string& name, RegistryRoot& root);

struct RegistryValueLine {
  bool isDefault = false;  // the line starts with "@"
  std::string name;        // between the first two double quotes
  bool isNumber = false;
  std::uint32_t number = 0;
  std::string text;
};

// False for a line without "=" (ignored). A line with nothing usable after "=" gives an empty
// string value.
bool ParseValueLine(const std::string& line, RegistryValueLine& value);
