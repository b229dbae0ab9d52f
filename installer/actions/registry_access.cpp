#include "registry_access.h"

#include "system_text.h"

#include <cwchar>

namespace {

std::string Join(const std::string& parent, const std::string& name) {
  return parent.empty() ? name : name.empty() ? parent : parent + "\\" + name;
}

// Registry calls return their error instead of setting it.
bool Succeeded(LONG result) {
  if (result == ERROR_SUCCESS) return true;
  SetLastError(static_cast<DWORD>(result));
  return false;
}

class Key {
 public:
  explicit Key(HKEY key) : key_(key) {}
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_;
};

}  // namespace

HKEY RegistryAccess::Open(HKEY root, const std::string& path, REGSAM view) {
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (!Succeeded(RegCreateKeyExW(root, WideText(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                 &security, &key, &disposition)))
    return nullptr;
  return key;
}

HKEY RegistryAccess::OpenExisting(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (!Succeeded(RegOpenKeyExW(root, WideText(path).c_str(), 0, KEY_ALL_ACCESS | view, &key))) return nullptr;
  return key;
}

bool RegistryAccess::CreateKey(HKEY root, const std::string& parent, const std::string& name) {
  return Key(Open(root, Join(parent, name))) ? true : false;
}

bool RegistryAccess::WriteString(HKEY root, const std::string& path, const char* name,
                                 const std::string& text) {
  Key key(Open(root, path));
  const std::wstring wide = WideText(text);
  return key && Succeeded(RegSetValueExW(key.get(), name ? WideText(name).c_str() : nullptr, 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(wide.c_str()),
                                         static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))));
}

bool RegistryAccess::WriteNumber(HKEY root, const std::string& path, const char* name, DWORD number,
                                 REGSAM view) {
  Key key(Open(root, path, view));
  return key && Succeeded(RegSetValueExW(key.get(), name ? WideText(name).c_str() : nullptr, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&number), sizeof number));
}

bool RegistryAccess::ReadNumber(HKEY root, const std::string& path, const char* name, DWORD& number,
                                REGSAM view) {
  Key key(OpenExisting(root, path, view));
  DWORD type = 0, size = sizeof number, read = 0;
  if (!key || !Succeeded(RegQueryValueExW(key.get(), WideText(name).c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(&read), &size)))
    return false;
  if (type != REG_DWORD || size != sizeof read) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  number = read;
  return true;
}

bool RegistryAccess::ReadString(HKEY root, const std::string& path, const char* name, std::string& text) {
  Key key(OpenExisting(root, path));
  if (!key) return false;
  wchar_t buffer[kReadSize + 1] = {};  // one spare character: a stored string need not end in NUL
  DWORD size = kReadSize * sizeof(wchar_t);
  DWORD type = 0;
  if (!Succeeded(RegQueryValueExW(key.get(), name ? WideText(name).c_str() : nullptr, nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer), &size)))
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  text = NarrowText(std::wstring(buffer, wcsnlen(buffer, size / sizeof(wchar_t))));
  return true;
}

bool RegistryAccess::EnumKey(HKEY root, const std::string& path, DWORD index, std::string& name) {
  Key key(OpenExisting(root, path));
  wchar_t buffer[kNameSize];
  DWORD size = kNameSize;
  if (!key || !Succeeded(RegEnumKeyExW(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr)))
    return false;
  name = NarrowText(std::wstring(buffer, size));
  return true;
}

bool RegistryAccess::EnumValue(HKEY root, const std::string& path, DWORD index, std::string& name) {
  Key key(OpenExisting(root, path));
  wchar_t buffer[kNameSize];
  DWORD size = kNameSize;
  if (!key || !Succeeded(RegEnumValueW(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr)))
    return false;
  name = NarrowText(std::wstring(buffer, size));
  return true;
}

bool RegistryAccess::DeleteValue(HKEY root, const std::string& path, const char* name, REGSAM view) {
  Key key(OpenExisting(root, path, view));
  return key && Succeeded(RegDeleteValueW(key.get(), WideText(name).c_str()));
}

bool RegistryAccess::DeleteKeyTree(HKEY root, const std::string& parent, const std::string& name) {
  if (name.empty()) {  // never the parent itself
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::string path = Join(parent, name);
  std::string child;
  while (EnumKey(root, path, 0, child))
    if (!DeleteKeyTree(root, path, child)) return false;
  while (EnumValue(root, path, 0, child))
    if (!DeleteValue(root, path, child.c_str())) return false;
  Key parentKey(OpenExisting(root, parent));
  return parentKey && Succeeded(RegDeleteKeyW(parentKey.get(), WideText(name).c_str()));
}
