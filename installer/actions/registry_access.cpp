#include "registry_access.h"

#include <cstring>

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

HKEY RegistryAccess::Open(HKEY root, const std::string& path) {
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (!Succeeded(
          RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, &security, &key, &disposition)))
    return nullptr;
  return key;
}

HKEY RegistryAccess::OpenExisting(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (!Succeeded(RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key))) return nullptr;
  return key;
}

bool RegistryAccess::CreateKey(HKEY root, const std::string& parent, const std::string& name) {
  return Key(Open(root, Join(parent, name))) ? true : false;
}

bool RegistryAccess::WriteString(HKEY root, const std::string& path, const char* name,
                                 const std::string& text) {
  Key key(Open(root, path));
  return key &&
         Succeeded(RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1)));
}

bool RegistryAccess::WriteNumber(HKEY root, const std::string& path, const char* name, DWORD number) {
  Key key(Open(root, path));
  return key && Succeeded(RegSetValueExA(key.get(), name, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&number), sizeof number));
}

bool RegistryAccess::ReadString(HKEY root, const std::string& path, const char* name, std::string& text) {
  Key key(OpenExisting(root, path));
  if (!key) return false;
  char buffer[kReadSize + 1] = {};  // one spare byte: a stored string need not end in NUL
  DWORD size = kReadSize;
  DWORD type = 0;
  if (!Succeeded(RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size)))
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  text.assign(buffer, strnlen(buffer, size));
  return true;
}

bool RegistryAccess::EnumKey(HKEY root, const std::string& path, DWORD index, std::string& name) {
  Key key(OpenExisting(root, path));
  char buffer[kNameSize];
  DWORD size = kNameSize;
  if (!key || !Succeeded(RegEnumKeyExA(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr)))
    return false;
  name.assign(buffer, size);
  return true;
}

bool RegistryAccess::EnumValue(HKEY root, const std::string& path, DWORD index, std::string& name) {
  Key key(OpenExisting(root, path));
  char buffer[kNameSize];
  DWORD size = kNameSize;
  if (!key || !Succeeded(RegEnumValueA(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr)))
    return false;
  name.assign(buffer, size);
  return true;
}

bool RegistryAccess::DeleteValue(HKEY root, const std::string& path, const char* name) {
  Key key(OpenExisting(root, path));
  return key && Succeeded(RegDeleteValueA(key.get(), name));
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
  return parentKey && Succeeded(RegDeleteKeyA(parentKey.get(), name.c_str()));
}
