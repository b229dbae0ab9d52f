#include "language_names.h"

std::string NativeLanguageName(const std::string& tag) {
  return tag;
}

std::vector<std::string> DisplayLanguages() {
  return {};
}
