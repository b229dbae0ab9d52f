// What WordEncoding needs of the system: the plug-in's text as Unicode and back, and the code
// pages of the dictionaries' encodings. Windows (word_encoding_win32.cpp) converts through the
// system's code pages; the native build (word_encoding_posix.cpp), whose text is UTF-8, knows
// ISO 8859-1 only.
#pragma once

#include <string>

std::u16string PluginTextToUnicode(const std::string& text);
// false when a character has no form in the plug-in's text (it shows as "?" or the default).
bool UnicodeToPluginText(const std::u16string& unicode, std::string& text);

bool CanConvertCodePage(unsigned codePage);
std::u16string CodePageToUnicode(unsigned codePage, const std::string& bytes);
// false, out unchanged, when a character has no form in the code page.
bool UnicodeToCodePage(unsigned codePage, const std::u16string& unicode, std::string& out);
