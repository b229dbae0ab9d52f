#include <windows.h>

#include <cstdio>

#include "error_log.h"
#include "plugin_text.h"

std::FILE* OpenLogFile(const char* path) {
  // Converted on the stack: the log is written when memory may have run out.
  wchar_t wide[1024];
  if (MultiByteToWideChar(kUtf8Text ? CP_UTF8 : CP_ACP, 0, path, -1, wide, 1024) == 0) return nullptr;
  return _wfopen(wide, L"a");
}
