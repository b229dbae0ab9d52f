// The installer's command line and the status line text: plain text rules, no windows.
#pragma once

#include <cstddef>
#include <string>

// "/uninstall|path" or "/Uninstall|path" selects uninstall mode with that script path (taken as
// it stands, blanks included). "/Uninstall" alone also selects it, with the whole text as path.
// The switch is compared exactly; anything else means install mode with "Install.ini".
bool IsUninstallCommand(const std::string& commandLine, std::string& scriptPath);

// The status line holds at most this many characters.
constexpr std::size_t kStatusLineMax = 99;
// "text: detail", or "text" when there is no detail, cut to kStatusLineMax.
std::string StatusLine(const char* text, const char* detail);
