// The plug-in's text at the system's Unicode calls (the W forms of the window, file and shell
// calls): converted from and to UTF-16 with the code page the plug-in's text is in, UTF-8 in the
// 64-bit builds and the machine's ANSI code page in the 32-bit build (plugin_text.h). Windows only.
#pragma once

#include <string>

std::wstring SystemText(const char* text);
std::wstring SystemText(const std::string& text);

// text (length units, or up to its NUL when length is negative) in the plug-in's text. In the
// 32-bit build, what the code page cannot hold comes out as the system's default character or a
// look-alike; *lossless (when given) says whether the result converts back to exactly text, so
// that a name from the system that is not lossless names nothing the system can find again.
std::string PluginText(const wchar_t* text, int length = -1, bool* lossless = nullptr);
