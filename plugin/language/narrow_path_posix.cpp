#include "narrow_path.h"

std::string NarrowPath(const std::string& path) {
  return path;
}
