#include "photoshop_plugins.h"

#include "system_text.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace {

constexpr wchar_t kPhotoshopKey[] = L"SOFTWARE\\Adobe\\Photoshop";
constexpr REGSAM kRead64 = KEY_READ | KEY_WOW64_64KEY;  // 32-bit processes are redirected otherwise
constexpr DWORD kPathMax = 1024;
constexpr std::size_t kVersionDigitsMax = 9;  // keeps every part within an unsigned long

// "180.0" -> {180, 0}; false unless the name is numbers separated by single dots.
bool ParseVersion(const char* name, std::vector<unsigned long>& parts) {
  parts.clear();
  const char* p = name;
  for (;;) {
    unsigned long part = 0;
    std::size_t digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
      if (++digits > kVersionDigitsMax) return false;
      part = part * 10 + static_cast<unsigned long>(*p - '0');
    }
    if (digits == 0) return false;
    parts.push_back(part);
    if (*p == '\0') return true;
    if (*p++ != '.') return false;
  }
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideText(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "C:\Plug-ins\" -> "C:\Plug-ins"; a drive's root keeps its backslash.
std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The default value of <version>\PluginPath when it names an existing folder; "" otherwise.
std::string PluginPath(HKEY photoshop, const std::string& version) {
  HKEY key;
  const std::string subkey = version + "\\PluginPath";
  if (RegOpenKeyExW(photoshop, WideText(subkey).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS)
    return "";
  wchar_t data[kPathMax + 1] = L"";
  // One character spare: the stored string need not end in a NUL.
  DWORD type = 0, size = kPathMax * sizeof(wchar_t);
  const LONG read = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "";
  data[size / sizeof(wchar_t) < kPathMax ? size / sizeof(wchar_t) : kPathMax] = L'\0';
  std::string path = NarrowText(data);
  if (type == REG_EXPAND_SZ) {
    wchar_t expanded[kPathMax];
    const DWORD length = ExpandEnvironmentStringsW(data, expanded, kPathMax);
    path = length > 0 && length <= kPathMax ? NarrowText(expanded) : std::string();
  }
  path = WithoutTrailingBackslash(path);
  return !path.empty() && IsFolder(path) ? path : std::string();
}

std::string NewestPluginPath() {
  HKEY photoshop;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPhotoshopKey, 0, kRead64, &photoshop) != ERROR_SUCCESS) return "";
  std::string newest;
  std::vector<unsigned long> newestVersion, version;
  wchar_t wideName[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof wideName / sizeof wideName[0];
    const LONG result =
        RegEnumKeyExW(photoshop, index, wideName, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;  // longer than any version number
    if (result != ERROR_SUCCESS) break;
    const std::string name = NarrowText(std::wstring(wideName, length));
    if (!ParseVersion(name.c_str(), version) || (!newest.empty() && version <= newestVersion)) continue;
    std::string path = PluginPath(photoshop, name);
    if (path.empty()) continue;
    newest = std::move(path);
    newestVersion = version;
  }
  RegCloseKey(photoshop);
  return newest;
}

// The 64-bit Common Files folder. A 32-bit process on 64-bit Windows is given the "(x86)" one as
// its special folder; the environment names the other one there.
std::string CommonFilesFolder() {
  wchar_t folder[32768];
  const DWORD length = GetEnvironmentVariableW(L"CommonProgramW6432", folder, 32768);
  if (length > 0 && length < 32768) return WithoutTrailingBackslash(NarrowText(folder));
  if (SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES_COMMON, FALSE))
    return WithoutTrailingBackslash(NarrowText(folder));
  return "";
}

}  // namespace

std::string PhotoshopPluginsFolder() {
  std::string folder = NewestPluginPath();
  if (!folder.empty()) return folder;
  folder = CommonFilesFolder();
  return folder.empty() ? folder : folder + "\\Adobe\\Plug-Ins\\CC";
}
