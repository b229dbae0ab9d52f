// Windows-1252, the ANSI code page of the Western Windows installations, written out for the builds
// that have no Windows to ask (the native build's stand-in for the system's conversion). No best
// fit: a character the code page lacks becomes "?". Platform-neutral.
#pragma once

#include <string>

// Every byte converts; the five bytes the code page leaves unassigned are the C1 controls of the
// same value, as Windows converts them.
std::string Utf8FromWindows1252(const std::string& ansi);

// A character outside the code page (a character outside 16 bits too) becomes one "?".
std::string Windows1252FromUtf8(const std::string& utf8);
