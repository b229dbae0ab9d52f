// The registry section lines: any line is taken apart without harm, key lines split into parts
// that make up the line again, and numbers keep the low 32 bits of their digits.
#include <algorithm>
#include <cctype>

#include "fuzz_support.h"
#include "registry_lines.h"

namespace {

void CheckKeyLine(const std::string& line, RegistryRoot& root) {
  RegistryKeyLine key;
  const bool bracketed = line.size() >= 2 && line.front() == '[' && line.back() == ']';
  FUZZ_CHECK(ParseKeyLine(line, key) == bracketed);
  if (!bracketed) return;

  const std::string inner = line.substr(1, line.size() - 2);
  const std::size_t separators = std::count(inner.begin(), inner.end(), '\\');
  FUZZ_CHECK(key.root.find('\\') == std::string::npos && key.name.find('\\') == std::string::npos);
  if (separators == 0) {
    FUZZ_CHECK(key.root == inner && key.parent.empty() && key.name.empty());
  } else if (separators == 1) {
    FUZZ_CHECK(key.parent.empty() && key.root + "\\" + key.name == inner);
  } else {
    FUZZ_CHECK(key.root + "\\" + key.parent + "\\" + key.name == inner);
  }
  // Only a key with a parent and a name below its root is ever acted on.
  FUZZ_CHECK(key.supported == (separators >= 2 && !key.parent.empty() && !key.name.empty()));

  const RegistryRoot before = root;
  SelectRoot(key.root, root);
  if (key.root == "HKEY_CURRENT_USER")
    FUZZ_CHECK(root == RegistryRoot::kCurrentUser);
  else if (key.root == "HKEY_CLASSES_ROOT")
    FUZZ_CHECK(root == RegistryRoot::kClassesRoot);
  else if (key.root == "HKEY_USERS")
    FUZZ_CHECK(root == RegistryRoot::kUsers);
  else if (key.root == "HKEY_CURRENT_CONFIG")
    FUZZ_CHECK(root == RegistryRoot::kCurrentConfig);
  else
    FUZZ_CHECK(root == before);
}

void CheckValueLine(const std::string& line) {
  RegistryValueLine value;
  value.name = "stale";
  value.text = "stale";
  std::size_t equals = line.find('=');
  FUZZ_CHECK(ParseValueLine(line, value) == (equals != std::string::npos));
  if (equals == std::string::npos) return;

  FUZZ_CHECK(value.isDefault == (line.front() == '@'));
  const std::size_t open = line.find('"');
  if (open == std::string::npos) {
    FUZZ_CHECK(value.name.empty());
  } else {
    FUZZ_CHECK(line.compare(open + 1, value.name.size(), value.name) == 0);
    // A named value's data follows the first "=" after its quoted name, when there is one.
    const std::size_t close = line.find('"', open + 1);
    if (!value.isDefault && close != std::string::npos) {
      const std::size_t after = line.find('=', close + 1);
      if (after != std::string::npos) equals = after;
    }
  }

  const std::string data = line.substr(equals + 1);
  const bool number = data.rfind("dword:", 0) == 0 || data.rfind("hex:", 0) == 0;
  FUZZ_CHECK(value.isNumber == number);
  if (number) {
    std::uint32_t expected = 0;
    for (std::size_t at = data.find(':') + 1;
         at < data.size() && std::isxdigit(static_cast<unsigned char>(data[at])); ++at) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(data[at])));
      expected = expected * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    FUZZ_CHECK(value.number == expected && value.text.empty());
  } else {
    FUZZ_CHECK(value.number == 0);
    FUZZ_CHECK(value.text == (data.size() >= 2 ? data.substr(1, data.size() - 2) : std::string()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A section as the installer walks it: key lines select the key, other lines are values.
  const std::string text = InputText(data, size);
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    CheckKeyLine(line, root);
    CheckValueLine(line);
    start = end + 1;
  }
  return 0;
}
