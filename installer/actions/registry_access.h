// Thin wrapper over the registry calls used by the registry actions and the uninstall record.
// Paths and names are the installer's text (system_text.h), relative to a predefined root key. Writing
// creates missing keys; reading and deleting open existing keys only, so an uninstall never leaves new empty
// keys behind. Failed calls leave their error code as the thread's last error.
#pragma once

#include <windows.h>

#include <string>

class RegistryAccess {
 public:
  // Name buffers of the enumerations and the read buffer, NUL included.
  static constexpr DWORD kNameSize = 256;
  static constexpr DWORD kReadSize = 256;

  // view: 0, or KEY_WOW64_64KEY for the 64-bit view also from the 32-bit program.
  static HKEY Open(HKEY root, const std::string& path, REGSAM view = 0);  // creates; null on failure
  static HKEY OpenExisting(HKEY root, const std::string& path, REGSAM view = 0);
  static bool CreateKey(HKEY root, const std::string& parent, const std::string& name);
  // A null name writes the key's default value.
  static bool WriteString(HKEY root, const std::string& path, const char* name, const std::string& text);
  static bool WriteNumber(HKEY root, const std::string& path, const char* name, DWORD number,
                          REGSAM view = 0);
  // Only REG_DWORD values are read.
  static bool ReadNumber(HKEY root, const std::string& path, const char* name, DWORD& number,
                         REGSAM view = 0);
  // Only string values that fit kReadSize are read.
  static bool ReadString(HKEY root, const std::string& path, const char* name, std::string& text);
  static bool EnumKey(HKEY root, const std::string& path, DWORD index, std::string& name);
  static bool EnumValue(HKEY root, const std::string& path, DWORD index, std::string& name);
  static bool DeleteValue(HKEY root, const std::string& path, const char* name, REGSAM view = 0);
  // Removes the key parent\name with all its subkeys and values.
  static bool DeleteKeyTree(HKEY root, const std::string& parent, const std::string& name);
};
