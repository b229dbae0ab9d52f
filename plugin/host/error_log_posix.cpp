#include <cstdio>

#include "error_log.h"

std::FILE* OpenLogFile(const char* path) {
  return std::fopen(path, "a");
}
