#include "file_names.h"

#include <algorithm>
#include <cstdio>

#include "unicode_case.h"

namespace {

bool IsForbidden(unsigned char c) {
  switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
    case '%':
    case 0x7F:
      return true;
    default:
      return c < 0x20;
  }
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (Upper(a[i]) != b[i]) return false;
  return i == a.size() && b[i] == '\0';
}

// Whether Windows takes the name for a device: its part before the first dot, less trailing
// blanks, is one of the device names.
bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  base.erase(base.find_last_not_of(' ') + 1);
  if (EqualsIgnoringAsciiCase(base, "CON") || EqualsIgnoringAsciiCase(base, "PRN") ||
      EqualsIgnoringAsciiCase(base, "AUX") || EqualsIgnoringAsciiCase(base, "NUL"))
    return true;
  if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
  const std::string stem = base.substr(0, 3);
  return EqualsIgnoringAsciiCase(stem, "COM") || EqualsIgnoringAsciiCase(stem, "LPT");
}

void AppendEscape(std::string& out, unsigned char c) {
  char hex[4];
  std::snprintf(hex, sizeof hex, "%%%02X", c);
  out += hex;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool NeedsFileName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (IsForbidden(static_cast<unsigned char>(c))) return true;
  const char last = name.back();
  return last == '.' || last == ' ' || IsDeviceName(name) ||
         EqualsIgnoringAsciiCase(name, "DEFAULT FOLDER") || name.size() > kMaxMadeFileName;
}

std::string FileNameFor(const std::string& name, unsigned number) {
  if (number == 0 && !NeedsFileName(name)) return name;
  std::string out;
  const bool device = IsDeviceName(name);
  for (std::size_t i = 0; i < name.size();) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    std::string piece;
    if (IsForbidden(c) || (i == 0 && device)) {
      AppendEscape(piece, c);
      ++i;
    } else {
      // A whole character: a long name is cut between two characters, never inside one.
      std::size_t bytes = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      bytes = std::min(bytes, name.size() - i);
      piece = name.substr(i, bytes);
      i += bytes;
    }
    if (out.size() + piece.size() > kMaxMadeFileName) break;
    out += piece;
  }
  out += '%';
  if (number >= 2) out += "#" + std::to_string(number);
  return out;
}

std::string NameOfFile(const std::string& fileName) {
  const std::size_t mark = fileName.rfind('%');
  if (mark == std::string::npos) return fileName;
  const std::string tail = fileName.substr(mark + 1);
  unsigned number = 0;
  if (!tail.empty()) {
    if (tail.size() < 2 || tail.size() > 7 || tail[0] != '#' || tail[1] == '0') return fileName;
    for (char c : tail.substr(1)) {
      if (c < '0' || c > '9') return fileName;
      number = number * 10 + static_cast<unsigned>(c - '0');
    }
    if (number < 2) return fileName;
  }
  std::string name;
  for (std::size_t i = 0; i < mark; ++i) {
    if (fileName[i] != '%') {
      name += fileName[i];
      continue;
    }
    if (i + 2 >= mark) return fileName;
    const int high = HexValue(fileName[i + 1]), low = HexValue(fileName[i + 2]);
    if (high < 0 || low < 0) return fileName;
    name += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return FileNameFor(name, number) == fileName ? name : fileName;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return a == b || CaselessKey(a) == CaselessKey(b);
}

std::string FreeFileName(const std::string& name, const std::vector<std::string>& taken,
                         const std::string& suffix) {
  for (unsigned number = 0;; number = number == 0 ? 2 : number + 1) {
    const std::string candidate = FileNameFor(name, number);
    bool free = true;
    for (const std::string& other : taken)
      if (SameFileName(other, candidate + suffix)) {
        free = false;
        break;
      }
    if (free) return candidate;
  }
}
