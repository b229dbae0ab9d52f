#include "last_error.h"

#include <windows.h>

unsigned long SaveLastError() {
  return GetLastError();
}
void RestoreLastError(unsigned long code) {
  SetLastError(code);
}
