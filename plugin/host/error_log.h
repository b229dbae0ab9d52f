// The error log: one line per failed run, appended to a text file that is opened and closed for
// each entry. The host is never told.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>

#include "host_interface.h"

// Writes "[MM/DD/YY HH:MM:SS] Error: <code>\n" for the given local time into line (no allocation:
// the log is written when memory may have run out).
constexpr std::size_t kErrorLineSize = 64;
void FormatErrorLine(const std::tm& localTime, int32 code, char (&line)[kErrorLineSize]);

// Opens the log at path (the plug-in's text, plugin_text.h) for appending, creating it when
// missing; null when it cannot be opened.
std::FILE* OpenLogFile(const char* path);

// Appends the line for the current local time. When the file cannot be opened the entry is lost.
void AppendErrorLog(const char* path, int32 code);

// Appends "[MM/DD/YY HH:MM:SS] <text>\n" for the current local time, the same way.
void AppendLogText(const char* path, const char* text);
