#include "system_services.h"

#include "photoshop_plugins.h"
#include "system_text.h"
#include "uninstall_record.h"
#include "version.h"

#include <windows.h>
#include <shlobj.h>

std::string SystemServices::CurrentDirectory() {
  wchar_t folder[1000];
  const DWORD length = GetCurrentDirectoryW(1000, folder);
  return length > 0 && length < 1000 ? NarrowText(std::wstring(folder, length)) : std::string();
}

std::string SystemServices::SpecialFolder(int folderId) {
  wchar_t path[MAX_PATH];
  return SHGetSpecialFolderPathW(nullptr, path, folderId, FALSE) ? NarrowText(path) : std::string();
}

unsigned long SystemServices::LastError() {
  return GetLastError();
}

std::string SystemServices::ErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
      code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string text = length > 0 && buffer ? NarrowText(std::wstring(buffer, length)) : std::string();
  if (buffer) LocalFree(buffer);
  return text;
}

int SystemServices::AskAbortRetryIgnore(const std::string& text) {
  return MessageBoxW(promptOwner_, WideText(text).c_str(), L"Error", MB_ABORTRETRYIGNORE);
}

bool SystemServices::ReadUninstallRecord(const std::string& name, std::string& folder) {
  return ::ReadUninstallRecord(name, folder);
}

std::string SystemServices::ProgramVersion() {
  return TAVIMOR_FILE_VERSION;
}

std::string SystemServices::PhotoshopPluginsFolder() {
  return ::PhotoshopPluginsFolder();
}
