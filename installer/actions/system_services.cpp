#include "system_services.h"

#include "photoshop_plugins.h"
#include "uninstall_record.h"

#include <windows.h>
#include <shlobj.h>

std::string SystemServices::CurrentDirectory() {
  char folder[1000];
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

std::string SystemServices::SpecialFolder(int folderId) {
  char path[MAX_PATH];
  return SHGetSpecialFolderPathA(nullptr, path, folderId, FALSE) ? std::string(path) : std::string();
}

unsigned long SystemServices::LastError() {
  return GetLastError();
}

std::string SystemServices::ErrorText(unsigned long code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
      code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = length > 0 && buffer ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  return text;
}

int SystemServices::AskAbortRetryIgnore(const std::string& text) {
  return MessageBoxA(promptOwner_, text.c_str(), "Error", MB_ABORTRETRYIGNORE);
}

bool SystemServices::ReadUninstallRecord(const std::string& name, std::string& folder) {
  return ::ReadUninstallRecord(name, folder);
}

std::string SystemServices::PhotoshopPluginsFolder() {
  return ::PhotoshopPluginsFolder();
}
