// The installer's command line and status line: any text selects one mode, an uninstall path is
// taken from the text as it stands, and the status line never grows past its limit.
#include "command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string commandLine = InputCString(data, size);

  std::string path = "untouched";
  const bool uninstall = IsUninstallCommand(commandLine, path);
  const std::size_t bar = commandLine.find('|');
  const std::string before = commandLine.substr(0, bar);
  // The lower-case switch needs its "|"; the capitalised one works alone too.
  FUZZ_CHECK(uninstall == ((bar != std::string::npos && before == "/uninstall") || before == "/Uninstall"));
  if (!uninstall) {
    FUZZ_CHECK(path == "untouched");
  } else if (bar == std::string::npos) {
    FUZZ_CHECK(path == commandLine);
  } else {
    FUZZ_CHECK(path == commandLine.substr(bar + 1));
  }

  // The same bytes as a status text and its detail, split at the first blank.
  const std::size_t blank = commandLine.find(' ');
  const std::string text = commandLine.substr(0, blank);
  const std::string detail = blank == std::string::npos ? "" : commandLine.substr(blank + 1);
  const std::string full = detail.empty() ? text : text + ": " + detail;
  const std::string line = StatusLine(text.c_str(), detail.c_str());
  FUZZ_CHECK(line.size() <= kStatusLineMax);
  FUZZ_CHECK(line == full.substr(0, kStatusLineMax));
  FUZZ_CHECK(StatusLine(nullptr, detail.c_str()) ==
             (detail.empty() ? "" : ": " + detail).substr(0, kStatusLineMax));
  FUZZ_CHECK(StatusLine(text.c_str(), nullptr) == text.substr(0, kStatusLineMax));
  return 0;
}
