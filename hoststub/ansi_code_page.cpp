// Windows-1252 without the system: the code page of the Western Windows installations, for the
// builds that have no Windows to ask.
#include "ansi_code_page.h"

#include "windows_1252.h"

namespace stub {

std::string AnsiFromUtf8(const std::string& utf8) {
  return Windows1252FromUtf8(utf8);
}

std::string Utf8FromAnsi(const std::string& ansi) {
  return Utf8FromWindows1252(ansi);
}

}  // namespace stub
