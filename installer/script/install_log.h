// The installer's step log: "[HH:MM:SS] message" lines appended to Install.log in the start folder.
//
// Every line opens and closes the file, so a viewer can follow a run. Logging never fails
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
