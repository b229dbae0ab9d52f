// The native build's stand-in for the system's ANSI code page: Windows-1252.
#include "host_text.h"
#include "windows_1252.h"

std::string Utf8FromHostAnsi(const std::string& ansi) {
  return Utf8FromWindows1252(ansi);
}

std::string HostAnsiFromUtf8(const std::string& utf8) {
  return Windows1252FromUtf8(utf8);
}
