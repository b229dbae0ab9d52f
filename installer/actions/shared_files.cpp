#include "shared_files.h"

#include "registry_access.h"
#include "system_text.h"

#include <windows.h>

#include <vector>

namespace {

const char kSharedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr REGSAM kView = KEY_WOW64_64KEY;  // one count for every program, whatever its bitness

// The full path the count is kept under. The 32-bit program on 64-bit Windows reaches the system
// folder's 32-bit twin through the same name: its files are counted under their real path.
std::string CountName(const std::string& path) {
  wchar_t full[32768];
  const DWORD length = GetFullPathNameW(WideText(path).c_str(), 32768, full, nullptr);
  std::wstring name = length > 0 && length < 32768 ? std::wstring(full, length) : WideText(path);
  BOOL wow64 = FALSE;
  wchar_t system[MAX_PATH], twin[MAX_PATH];
  if (sizeof(void*) == 4 && IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    const UINT twinLength = GetSystemWow64DirectoryW(twin, MAX_PATH);
    if (systemLength > 0 && systemLength < MAX_PATH && twinLength > 0 && twinLength < MAX_PATH &&
        name.size() > systemLength && name[systemLength] == L'\\' &&
        lstrcmpiW(name.substr(0, systemLength).c_str(), system) == 0)
      name.replace(0, systemLength, twin, twinLength);
  }
  return NarrowText(name);
}

bool ReadVersion(const std::string& path, unsigned long long& version) {
  const std::wstring wide = WideText(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(wide.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return false;
  version = (static_cast<unsigned long long>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
  return true;
}

bool ReadWriteTime(const std::string& path, unsigned long long& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(WideText(path).c_str(), GetFileExInfoStandard, &data)) return false;
  time = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
  return true;
}

}  // namespace

bool IsSharedMark(const std::string& field) {
  return field == "SHARED";
}

unsigned long SharedUses(const std::string& path) {
  DWORD count = 0;
  return RegistryAccess::ReadNumber(HKEY_LOCAL_MACHINE, kSharedKey, CountName(path).c_str(), count, kView)
             ? count
             : 0;
}

bool AddSharedUse(const std::string& path, bool wasThere) {
  const unsigned long count = SharedUses(path);
  const DWORD uses = count > 0 ? count + 1 : wasThere ? 2 : 1;
  return RegistryAccess::WriteNumber(HKEY_LOCAL_MACHINE, kSharedKey, CountName(path).c_str(), uses, kView);
}

unsigned long ReleaseSharedUse(const std::string& path) {
  const unsigned long count = SharedUses(path);
  const std::string name = CountName(path);
  if (count > 1) {
    RegistryAccess::WriteNumber(HKEY_LOCAL_MACHINE, kSharedKey, name.c_str(), count - 1, kView);
    return count - 1;
  }
  RegistryAccess::DeleteValue(HKEY_LOCAL_MACHINE, kSharedKey, name.c_str(), kView);
  return 0;
}

bool IsNewerFile(const std::string& installed, const std::string& source) {
  unsigned long long was = 0, coming = 0;
  if (ReadVersion(installed, was) && ReadVersion(source, coming)) return was > coming;
  return ReadWriteTime(installed, was) && ReadWriteTime(source, coming) && was > coming;
}
