// What a loaded plug-in module says outside its return values: the lines of its error log and
// the memory watch's texts to the debugger, caught as the debug-print exception passes through
// the process's vectored handlers (install CatchDebugText with AddVectoredExceptionHandler).
#pragma once

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

// Where the 32-bit module writes its error log; under Wine the root of the prefix's drive C.
constexpr const char kClassicLogPath[] = "c:\\Tavimor.log";

// Where the module under test writes it: the x64 module in the user's local application-data
// folder, LOCALAPPDATA\Tavimor\Tavimor.log.
inline std::string LogPath() {
  if (sizeof(void*) == 4) return kClassicLogPath;
  char local[MAX_PATH] = "";
  GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
  return std::string(local) + "\\Tavimor\\Tavimor.log";
}

inline std::vector<std::string> LogLines() {
  std::ifstream in(LogPath());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline std::vector<std::string> gDebugger;  // the memory watch's texts ("MW:..."), in order

inline LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (text && std::strncmp(text, "MW:", 3) == 0) gDebugger.push_back(text);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}
