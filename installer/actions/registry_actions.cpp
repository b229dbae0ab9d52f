#include "registry_actions.h"

#include "install_log.h"
#include "registry_access.h"
#include "registry_lines.h"
#include "script_text.h"

#include <windows.h>

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::kUsers:
      return HKEY_USERS;
    case RegistryRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegistryRoot::kLocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

// The lines after the section header; false when the script cannot be read.
bool SectionLines(InstallScript& script, const std::string& header, ScriptText& text, std::size_t& first) {
  if (!ReadScriptFile(script.ScriptFile(), text)) return false;
  first = text.LineIndex(header) + 1;
  return true;
}

// A key right below a root would take the whole tree under that root with it on deletion, so such
// lines (and a later section's header, read as one) are passed over with the lines under them.
bool SupportedKey(const std::string& line, const RegistryKeyLine& key) {
  if (key.supported) return true;
  Log("Skipped registry key: %s", line.c_str());
  return false;
}

}  // namespace

int CreateRegistryAction(InstallScript& script, const ActionFields& fields) {
  script.ShowStatus("Update registry", "");
  ScriptText text;
  std::size_t first;
  if (!SectionLines(script, fields[0], text, first)) return 0;

  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::string current;  // empty: value lines go nowhere
  DWORD failure = ERROR_SUCCESS;
  auto check = [&failure](bool written) {
    if (!written && failure == ERROR_SUCCESS) failure = GetLastError();
  };
  for (std::size_t i = first; i < text.Lines().size(); ++i) {
    const std::string line = script.Expand(text.Lines()[i]);
    RegistryKeyLine key;
    RegistryValueLine value;
    if (ParseKeyLine(line, key)) {
      current.clear();
      if (!SupportedKey(line, key)) continue;
      SelectRoot(key.root, root);
      check(RegistryAccess::CreateKey(RootKey(root), key.parent, key.name));
      current = key.parent + "\\" + key.name;
      Log("Create Reg Key: %s ", current.c_str());
    } else if (!current.empty() && ParseValueLine(line, value)) {
      const char* name = value.isDefault ? nullptr : value.name.c_str();
      check(value.isNumber ? RegistryAccess::WriteNumber(RootKey(root), current, name, value.number)
                           : RegistryAccess::WriteString(RootKey(root), current, name, value.text));
    }
  }
  if (failure == ERROR_SUCCESS) return 1;
  SetLastError(failure);
  return 0;
}

int DeleteRegistryAction(InstallScript& script, const ActionFields& fields) {
  script.ShowStatus("Update Registry", "");
  ScriptText text;
  std::size_t first;
  if (!SectionLines(script, fields[1], text, first)) return 0;

  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::string parent;  // empty: value lines go nowhere
  for (std::size_t i = first; i < text.Lines().size(); ++i) {
    const std::string& line = text.Lines()[i];
    RegistryKeyLine key;
    if (ParseKeyLine(line, key)) {
      parent.clear();
      if (!SupportedKey(line, key)) continue;
      SelectRoot(key.root, root);
      RegistryAccess::DeleteKeyTree(RootKey(root), key.parent, key.name);
      parent = key.parent;
    } else if (!parent.empty()) {
      RegistryAccess::DeleteValue(RootKey(root), parent, line.c_str());
    }
  }
  return 1;
}
