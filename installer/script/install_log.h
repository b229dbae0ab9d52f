// The installer's step log: "[HH:MM:SS] message" lines appended to Install.log in the start folder.
//
// The file stays open from line to line, shared, and every line reaches the system as it is
// logged: a viewer can follow a run, and a crash keeps every line before it. Logging never fails
// visibly: a line that cannot be written is lost. Logging also leaves the thread's last system
// error as it found it, so the error prompt still shows what the failed action left behind.
#pragma once

#include <string>

// A message holds at most this many characters, so a whole line fits 255.
constexpr std::size_t kLogMessageMax = 243;
// Longest log file path; a longer one is never cut into another path, its lines are lost.
constexpr std::size_t kLogPathMax = 199;

// The folder whose Install.log receives the lines (the start folder of the script).
void SetLogFolder(const std::string& folder);
std::string LogFilePath();

// printf-style; the format is always a literal of the program, never script text.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Lets go of the log file before the file at path, or a folder holding it, is deleted or replaced:
// the next line opens the log again, as a new file when it is gone.
void ReleaseLogFileFor(const std::string& path);
