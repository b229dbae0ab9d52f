#include "shortcut_actions.h"

#include "file_actions.h"
#include "install_log.h"
#include "system_text.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>

namespace {

bool IsDesktop(const std::string& location) {
  return location == "Desktop" || location == "DESKTOP";
}

// The shell folder's path with a backslash appended; false when it cannot be had.
bool ShellFolder(int folderId, std::string& path) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &items)) || !items) return false;
  wchar_t buffer[MAX_PATH];
  const bool found = SHGetPathFromIDListW(items, buffer) != FALSE;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(items);
    allocator->Release();
  }
  if (found) path = NarrowText(buffer) + "\\";
  return found;
}

bool LocationFolder(const std::string& location, std::string& path) {
  return ShellFolder(IsDesktop(location) ? CSIDL_DESKTOPDIRECTORY : CSIDL_PROGRAMS, path);
}

bool EndsInDll(const std::string& file) {
  if (file.size() < 3) return false;
  const std::string end = file.substr(file.size() - 3);
  return end == "dll" || end == "Dll" || end == "DLL";
}

bool SaveLink(const std::string& path, const std::string& target, const std::string& arguments,
              const std::string& description, const std::string& icon, int iconIndex) {
  const std::wstring widePath = WideText(path);
  if (widePath.empty() || widePath.size() >= MAX_PATH) return false;

  IShellLinkW* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return false;
  link->SetPath(WideText(target).c_str());
  link->SetDescription(WideText(description).c_str());
  link->SetArguments(WideText(arguments).c_str());
  IPersistFile* file = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(result)) {
    if (!icon.empty()) link->SetIconLocation(WideText(icon).c_str(), iconIndex);
    result = file->Save(widePath.c_str(), TRUE);
    file->Release();
  }
  link->Release();
  if (FAILED(result)) SetLastError(static_cast<DWORD>(result));
  return SUCCEEDED(result);
}

}  // namespace

int CreateShortCutAction(InstallScript& script, const ActionFields& fields) {
  std::string field[8];
  for (int i = 0; i < 8; ++i) field[i] = fields[i];
  const int iconIndex = EndsInDll(field[6]) ? std::atoi(field[7].c_str()) : 0;
  script.ShowStatus("Create Shortcut", "");

  std::string folder;
  if (!LocationFolder(field[3], folder)) return 0;
  if (!IsDesktop(field[3])) {
    folder += field[4] + "\\";
    CreateFolderPath(folder);  // a failed save may leave the empty group behind
  }

  CoInitialize(nullptr);
  if (SaveLink(folder + field[2] + ".lnk", field[0], field[1], field[5], field[6], iconIndex)) {
    Log("Create ShortCut: exe=%s icon=%s", field[0].c_str(), field[6].c_str());
    return 1;
  }
  Log("Failed to Create ShortCut: exe=%s icon=%s", field[0].c_str(), field[6].c_str());
  return 0;
}

int DeleteShortCutAction(InstallScript& script, const ActionFields& fields) {
  const std::string name = fields[1];
  const std::string location = fields[2];
  Log("Delete Shortcut: %s", name.c_str());
  script.ShowStatus("Deleted Shorcut", "");

  std::string path;
  LocationFolder(location, path);
  if (!IsDesktop(location)) path += fields[3] + "\\";
  path += name + ".lnk";
  std::wstring from = WideText(path);
  from.push_back(L'\0');  // the source list ends in two NULs

  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI;
  if (SHFileOperationW(&operation) != 0 || operation.fAnyOperationsAborted)
    Log("Failed to Delete ShortCut: %s", name.c_str());
  return 1;
}

int DeleteMenuGroupAction(InstallScript& script, const ActionFields& fields) {
  std::string path;
  ShellFolder(CSIDL_PROGRAMS, path);
  DeleteFolderTree(script, path + fields[0]);
  return 1;
}
