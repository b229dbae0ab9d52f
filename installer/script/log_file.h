// The log file's handle, held open from one line to the next: opening and closing the file for every
// line costs more than writing it. Each line goes to the system as it is written (nothing is kept
// in the program's buffers), so a crash loses no line that was logged before it, and others may read
// the file at any time.
#pragma once

#include <cstdio>
#include <string>

// Appends line (ending in "\n", which is written as the system's text files end lines) to the file
// at path, opening it when no file or another one is held. False when it cannot be opened.
bool AppendLogLine(const std::string& path, const std::string& line);
// Lets go of the held file; the next line opens it again.
void CloseLogFile();

// Opens a file as std::fopen does, for a path in the installer's text (see system_text.h).
std::FILE* OpenFile(const std::string& path, const char* mode);
