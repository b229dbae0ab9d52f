// The installer's command line and status line: any text selects one mode, an uninstall path is
// taken from the text as it stands (or inside the quotes around it), only a text that begins with
// "/S" runs without the dialog, and the status line never holds more of the text than its limit.
#include "command_line.h"
#include "fuzz_support.h"
#include "status_line.h"

namespace {

std::string ShownAmpersands(const std::string& text) {
  std::string shown;
  for (const char c : text) shown += c == '&' ? std::string("&&") : std::string(1, c);
  return shown;
}

// The text up to the start of its character number kStatusLineMax + 1 (a character: a byte that
// does not continue a UTF-8 sequence, and the continuation bytes after it).
std::string FirstCharacters(const std::string& text) {
  std::size_t starts = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && ++starts > kStatusLineMax)
      return text.substr(0, at);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string commandLine = InputCString(data, size);

  std::string path = "untouched";
  const bool uninstall = IsUninstallCommand(commandLine, path);
  // An argument in double quotes is read as without them.
  const std::size_t last = commandLine.find_last_not_of(' ');
  const bool quoted =
      commandLine.size() >= 2 && commandLine[0] == '"' && last != 0 && commandLine[last] == '"';
  const std::string argument = quoted ? commandLine.substr(1, last - 1) : commandLine;
  FUZZ_CHECK(WithoutQuotes(commandLine) == argument);
  const std::size_t bar = argument.find('|');
  const std::string before = argument.substr(0, bar);
  // The lower-case switch needs its "|"; the capitalised one works alone too.
  FUZZ_CHECK(uninstall == ((bar != std::string::npos && before == "/uninstall") || before == "/Uninstall"));
  if (!uninstall) {
    FUZZ_CHECK(path == "untouched");
  } else if (bar == std::string::npos) {
    FUZZ_CHECK(path == argument);
  } else {
    FUZZ_CHECK(path == argument.substr(bar + 1));
  }

  const StartCommand start = ParseStartCommand(commandLine);
  const bool switched = commandLine == "/S" || commandLine.compare(0, 3, "/S ") == 0 ||
                        commandLine.find_first_not_of(' ', 2) == std::string::npos;
  if (start.kind == StartKind::kUnattended || start.kind == StartKind::kUnknown) {
    FUZZ_CHECK(commandLine.compare(0, 2, "/S") == 0 && switched);
    const std::size_t from = commandLine.find_first_not_of(' ', 2);
    const std::string rest = from == std::string::npos ? "" : commandLine.substr(from);
    std::string script;
    FUZZ_CHECK(start.uninstall == (rest.compare(0, 3, "/D=") != 0 && IsUninstallCommand(rest, script)));
    FUZZ_CHECK(start.scriptPath == (start.uninstall ? script : ""));
    FUZZ_CHECK(start.folder == (rest.compare(0, 3, "/D=") == 0 ? rest.substr(3) : ""));
  } else {
    FUZZ_CHECK(start.folder.empty() && start.scriptPath.empty() && !start.uninstall);
    FUZZ_CHECK(start.kind == StartKind::kDialog || commandLine.compare(0, 2, "/?") == 0);
  }

  // The same bytes as a status text and its detail, split at the first blank.
  const std::size_t blank = commandLine.find(' ');
  const std::string text = commandLine.substr(0, blank);
  const std::string detail = blank == std::string::npos ? "" : commandLine.substr(blank + 1);
  const std::string full = detail.empty() ? text : text + ": " + detail;
  // The line is cut to its length first, in characters (UTF-8 here, as in the 64-bit builds),
  // never inside one; an "&" then shows as itself (doubled for the control).
  const std::string line = StatusLine(text.c_str(), detail.c_str());
  FUZZ_CHECK(line == ShownAmpersands(FirstCharacters(full)));
  FUZZ_CHECK(StatusLine(nullptr, detail.c_str()) ==
             ShownAmpersands(FirstCharacters(detail.empty() ? "" : ": " + detail)));
  FUZZ_CHECK(StatusLine(text.c_str(), nullptr) == ShownAmpersands(FirstCharacters(text)));
  return 0;
}
