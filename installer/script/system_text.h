// The installer's text and the system's Unicode calls. The 32-bit build keeps the machine's ANSI
// code page (its script, log and paths byte for byte as the system's ANSI calls have them); the
// 64-bit builds keep UTF-8, so that a path outside the code page (a profile, a chosen folder or a
// Start menu named for Łukasz) reaches the system whole. Every system call takes and gives UTF-16
// through these two conversions. Windows only.
#pragma once

#include <string>

constexpr bool kUtf8Text = sizeof(void*) == 8;

std::wstring WideText(const std::string& text);
std::string NarrowText(const wchar_t* text);
std::string NarrowText(const std::wstring& text);
