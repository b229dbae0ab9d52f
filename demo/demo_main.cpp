// The demo's Windows side, run under Wine by tools/demo.sh, one step per command:
//
//   demo install BUNDLE [PICTURES]        Install.exe from the bundle folder, pressed through to Finish
//   demo replay PLUGIN DOCUMENT           a recorded step replayed onto the document, no dialog
//   demo edit PLUGIN DOCUMENT PICTURES    "Do It" with the editor, filled and spell-checked automatically
//   demo keywords PLUGIN DOCUMENT LIST EXPORT PICTURES
//                                         a keyword list imported, a group of it used, the library
//                                         exported to EXPORT; the editor is cancelled (x64, ARM64)
//   demo uninstall [NAME]                 the Start-menu shortcut's uninstaller of the product NAME
//                                         (the bundle script's Name; default Tavimor), unattended
//
// Paths may be Unix paths (Wine shows the root as drive Z:). Pictures are BMP files. The status is
// 1 when any check of the step failed, and every failure is named on stderr.
#include <cstdio>
#include <cstring>
#include <string>

#include "demo.h"

namespace {

int g_failures = 0;

int Usage() {
  std::fprintf(
      stderr,
      "usage: demo install BUNDLE [PICTURES] | replay PLUGIN DOCUMENT | edit PLUGIN DOCUMENT PICTURES"
      " | keywords PLUGIN DOCUMENT LIST EXPORT PICTURES | uninstall [NAME]\n");
  return 2;
}

}  // namespace

void Fail(const std::string& text) {
  ++g_failures;
  std::fprintf(stderr, "demo: FAILED: %s\n", text.c_str());
  std::fflush(stderr);
}

bool Failed() {
  return g_failures > 0;
}

std::string WindowsPathOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows)
    if (c == '/') c = '\\';
  return windows;
}

int main(int argc, char** argv) {
  // Output goes to a pipe: each line as soon as it is written, in order with stderr.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  auto arg = [argv](int i) { return WindowsPathOf(argv[i]); };
  if (command == "install" && (argc == 3 || argc == 4)) {
    InstallBundle(arg(2), argc == 4 ? arg(3) : std::string());
  } else if (command == "replay" && argc == 4) {
    ReplayRecordedStep(arg(2), arg(3));
  } else if (command == "edit" && argc == 5) {
    EditWithDialog(arg(2), arg(3), arg(4));
  } else if (command == "keywords" && argc == 7) {
    KeywordListInAndOut(arg(2), arg(3), arg(4), arg(5), arg(6));
  } else if (command == "uninstall" && (argc == 2 || argc == 3)) {
    UninstallThroughShortcut(argc == 3 ? argv[2] : "Tavimor");
  } else {
    return Usage();
  }
  return Failed() ? 1 : 0;
}
