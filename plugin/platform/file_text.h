// The text in the plug-in's own files (templates, groups, Recent.dat, SavedWords.dat) and the text
// the plug-in keeps (plugin_text.h). The 32-bit build writes and reads them in the machine's ANSI
// code page, byte for byte. The 64-bit builds write UTF-8, but may read ANSI text: a file that an
// earlier x64 version wrote in the per-user root, or one of the classic root that the library move
// copies.
#pragma once

#include <string>

// The machine's ANSI text as UTF-8: through the system's ANSI code page on Windows (double-byte
// code pages included), as Windows-1252 natively. Every byte converts; nothing is dropped.
std::string AnsiCodePageToUtf8(const std::string& ansi);

// A file's bytes as the plug-in's text. The 32-bit build takes them unchanged. The 64-bit builds
// drop a leading UTF-8 byte-order mark (an editor's) and take each line (up to and with its LF)
// that is well-formed UTF-8, plain ASCII included, as it is, and any other line as ANSI text,
// which they convert. Deciding line by line keeps a damaged line of a UTF-8 file from turning the
// rest of it into ANSI look-alikes; ANSI text that happens to be well-formed UTF-8 ("Ã©", an
// accented capital before a sign) is read as UTF-8, which real text seldom is.
std::string FileTextToPluginText(const std::string& bytes);
