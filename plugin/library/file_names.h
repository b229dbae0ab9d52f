// File and folder names for the names of groups and folders (x64 and ARM64 builds). A group or
// folder made from a keyword may hold what a Windows file name cannot: one of \ / : * ? " < > |,
// a control character, a trailing dot or blank, a device name (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, with or without an extension), the "Default Folder" that means the top level when
// saving, or a name that differs only by case from another one in its folder. Such a name gets a
// file name that works, made so that the name can be read back from it:
//
//   each character above, and "%" itself, becomes "%" and its byte in two capital hex digits; a
//   device name's first letter too; the name then ends with "%", followed by "#" and a number
//   from 2 on when the name is taken ("Birds%#2" beside "birds").
//
// So "Fish: Trout" is kept as "Fish%3A Trout%", "Con" as "%43on%", "Ends." as "Ends.%". A name
// that needs none of this is its own file name. NameOfFile reads a file name back only when it is
// exactly what FileNameFor makes of the name it decodes to, so a name a user gave ("100%", "a%41")
// is never taken for a made one. A group file also keeps its name itself (group_file.h), which is
// what menus show; a folder's name is read from its file name.
//
// Names are UTF-8. Platform-neutral.
#pragma once

#include <string>
#include <vector>

// The longest part (in bytes) a made file name keeps of a name before its final "%": a group's
// file under a folder of such names stays within the system's path length (MAX_PATH) below the
// user's library root. A longer name is cut, between characters; a group still shows its whole
// name (it keeps it in its file), a folder the cut one.
constexpr std::size_t kMaxMadeFileName = 80;

// Whether name must be kept under a made file name.
bool NeedsFileName(const std::string& name);

// The file name for name: name itself when number is 0 and the name needs nothing, otherwise the
// made one, with "#" and number (2 on) after the final "%".
std::string FileNameFor(const std::string& name, unsigned number);

// The name a file name stands for (see above); the file name itself when it is not a made one.
std::string NameOfFile(const std::string& fileName);

// Whether two file names name one file on Windows (without regard to case).
bool SameFileName(const std::string& a, const std::string& b);

// The file name for name in a folder already holding the file names taken (each with suffix, for
// example ".tmp", as a folder lists them): FileNameFor(name, 0) when no taken name is the same,
// otherwise the first free one numbered from 2. Returned without the suffix.
std::string FreeFileName(const std::string& name, const std::vector<std::string>& taken,
                         const std::string& suffix);
