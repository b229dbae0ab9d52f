#include "last_error.h"

#include <cerrno>

unsigned long SaveLastError() {
  return static_cast<unsigned long>(errno);
}
void RestoreLastError(unsigned long code) {
  errno = static_cast<int>(code);
}
