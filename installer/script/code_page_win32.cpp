#include "code_page.h"

#include <windows.h>

bool IsLeadByte(char byte) {
  // The 64-bit builds keep UTF-8 inside.
  return sizeof(void*) == 4 && IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte));
}
