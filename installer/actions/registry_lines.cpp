#include "registry_lines.h"

bool ParseKeyLine(const std::string& line, RegistryKeyLine& key) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  const std::string inner = line.substr(1, line.size() - 2);
  const std::size_t first = inner.find('\\');
  const std::size_t last = inner.rfind('\\');
  key = RegistryKeyLine();
  if (first == std::string::npos) {
    key.root = inner;
  } else {
    key.root = inner.substr(0, first);
    key.parent = first == last ? "" : inner.substr(first + 1, last - first - 1);
    key.name = inner.substr(last + 1);
  }
  key.supported = !key.parent.empty() && !key.name.empty();
  return true;
}

void SelectRoot(const std::string& name, RegistryRoot& root) {
  if (name == "HKEY_CURRENT_USER") root = RegistryRoot::kCurrentUser;
  if (name == "HKEY_CLASSES_ROOT") root = RegistryRoot::kClassesRoot;
  if (name == "HKEY_USERS") root = RegistryRoot::kUsers;
  if (name == "HKEY_CURRENT_CONFIG") root = RegistryRoot::kCurrentConfig;
}

bool ParseValueLine(const std::string& line, RegistryValueLine& value) {
  std::size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  value = RegistryValueLine();
  value.isDefault = line.front() == '@';

  const std::size_t open = line.find('"');
  if (open != std::string::npos) {
    const std::size_t close = line.find('"', open + 1);
    value.name = line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    // A named value's data starts after the quoted name, which may itself hold "=" or ":"
    // (file paths as value names, say).
    if (!value.isDefault && close != std::string::npos && close < line.size()) {
      const std::size_t after = line.find('=', close + 1);
      if (after != std::string::npos) equals = after;
    }
  }

  const std::string data = line.substr(equals + 1);
  if (data.compare(0, 6, "dword:") == 0 || data.compare(0, 4, "hex:") == 0) {
    value.isNumber = true;
    // The hexadecimal digits follow the data's colon; the number keeps its low 32 bits.
    for (std::size_t at = data.find(':') + 1; at < data.size(); ++at) {
      const char c = data[at];
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        break;
      value.number = (value.number << 4) + static_cast<std::uint32_t>(digit);
    }
  } else if (data.size() >= 2) {
    value.text = data.substr(1, data.size() - 2);  // without the quotes
  }
  return true;
}
