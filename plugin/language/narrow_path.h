// Hunspell and MyThes open their files themselves, through the C library's narrow calls, which on
// Windows take the ANSI code page. NarrowPath gives a path in the form those calls open: on
// Windows its ANSI form, or its short (8.3) form where the code page cannot hold it (a user folder
// such as "Łukasz" under code page 1252); natively the path itself.
#pragma once

#include <string>

std::string NarrowPath(const std::string& path);
