#include "file_system.h"

#include <windows.h>
#include <io.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>

#include "plugin_text.h"
#include "system_text.h"

namespace {

// A path of the plug-in's as the system's Unicode calls take it.
std::wstring Wide(const std::string& path) {
  return SystemText(path);
}

// A folder the system names, in the plug-in's text; empty when the text cannot hold it, since
// the look-alike would name another folder or none.
std::string FolderName(const wchar_t* wide, int length) {
  bool lossless = false;
  std::string name = PluginText(wide, length, &lossless);
  return lossless ? name : std::string();
}

}  // namespace

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), SystemText(mode).c_str());
}

bool MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

bool PathExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0) continue;
    bool lossless = false;
    const std::string name = PluginText(found.cFileName, -1, &lossless);
    // The tag of a reparse point comes in dwReserved0.
    entries.push_back(
        {name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
         (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsLinkTag(found.dwReserved0), !lossless});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

bool IsLinkAt(const std::string& path) {
  // Found by its own name (no wildcard), the entry describes itself, not what it points to.
  std::string name = path;
  while (name.size() > 3 && name.back() == '\\') name.pop_back();
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(name).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsLinkTag(found.dwReserved0);
}

bool RenameFolder(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
  return RemoveDirectoryW(Wide(path).c_str()) != 0;
}

void DeleteFileAt(const std::string& path) {
  DeleteFileW(Wide(path).c_str());
}

bool RemoveLink(const std::string& path) {
  // Only a link opened as itself reports the reparse point through its handle; where it does not
  // (Wine, for links made from the Linux side), removing the path would remove the target folder.
  const std::wstring wide = Wide(path);
  HANDLE link =
      CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (link == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool itself =
      GetFileInformationByHandle(link, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  CloseHandle(link);
  return itself && (RemoveDirectoryW(wide.c_str()) || DeleteFileW(wide.c_str()));
}

// Opened without sharing, so no other process (here or through a share) opens it meanwhile; the
// system deletes it at the last close, also when the process dies holding it.
ExclusiveLock::ExclusiveLock(const std::string& path) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

ExclusiveLock::~ExclusiveLock() {
  if (Held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void PauseBeforeRetry() {
  Sleep(50);
}

namespace {

// A folder the system names through a call of GetSystemDirectory's form; empty when it has none.
std::string SystemFolder(UINT(WINAPI* name)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH + 1];
  const UINT length = name(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return std::string();
  return FolderName(buffer, static_cast<int>(length));
}

// Asked for without a length limit: a redirected folder (a network share, a long path) may be
// longer than MAX_PATH. Windows before Vista (XP x64 runs the early 64-bit hosts) has no such call
// and no such folders; there the older call answers into fallback. No memory of the module's is
// used: the system's block (*block, for CoTaskMemFree) or fallback; null when the shell cannot say.
const wchar_t* KnownFolder(REFKNOWNFOLDERID id, int csidl, wchar_t (&fallback)[MAX_PATH], PWSTR* block) {
  using KnownFolderPath = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  const auto known = reinterpret_cast<KnownFolderPath>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetKnownFolderPath")));
  *block = nullptr;
  if (known == nullptr)
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, fallback)) ? fallback
                                                                                              : nullptr;
  return SUCCEEDED(known(id, 0, nullptr, block)) ? *block : nullptr;
}

std::string ShellFolder(REFKNOWNFOLDERID id, int csidl) {
  wchar_t fallback[MAX_PATH];
  PWSTR block = nullptr;
  const wchar_t* folder = KnownFolder(id, csidl, fallback, &block);
  std::string name;
  try {
    if (folder != nullptr) name = FolderName(folder, -1);
  } catch (...) {
    CoTaskMemFree(block);
    throw;
  }
  CoTaskMemFree(block);
  return name;
}

}  // namespace

std::string SystemDirectory() {
  return SystemFolder(GetSystemDirectoryW);
}

std::string UserDataDirectory() {
  return ShellFolder(FOLDERID_RoamingAppData, CSIDL_APPDATA);
}

std::string SystemWow64Directory() {
  return SystemFolder(GetSystemWow64DirectoryW);  // none on 32-bit Windows
}

std::string LocalUserDataDirectory() {
  return ShellFolder(FOLDERID_LocalAppData, CSIDL_LOCAL_APPDATA);
}

bool LocalUserFilePath(const char* folder, const char* file, char* path, std::size_t capacity) {
  wchar_t fallback[MAX_PATH];
  PWSTR block = nullptr;
  const wchar_t* local = KnownFolder(FOLDERID_LocalAppData, CSIDL_LOCAL_APPDATA, fallback, &block);
  wchar_t wide[2048];
  int units = local != nullptr ? _snwprintf(wide, 2048, L"%ls\\", local) : -1;
  CoTaskMemFree(block);
  const UINT codePage = kUtf8Text ? CP_UTF8 : CP_ACP;
  // The folder's name, made when missing, then the file's.
  for (const char* part : {folder, file}) {
    if (units < 0 || units >= 2047) return false;
    const int added = MultiByteToWideChar(codePage, 0, part, -1, wide + units, 2048 - units);
    if (added == 0) return false;
    units += added - 1;
    if (part == folder) {
      if (GetFileAttributesW(wide) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(wide, nullptr);
      wide[units++] = L'\\';
      wide[units] = L'\0';
    }
  }
  BOOL replaced = FALSE;
  const int bytes = WideCharToMultiByte(codePage, 0, wide, -1, path, static_cast<int>(capacity), nullptr,
                                        kUtf8Text ? nullptr : &replaced);
  return bytes > 0 && !replaced;
}
