#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

std::string made;

void RemoveScratch() {
  std::error_code ignored;
  if (!made.empty()) std::filesystem::remove_all(made, ignored);
}

}  // namespace

const std::string& ScratchRoot() {
  if (made.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavimor_fuzz_XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    made = pattern + "/";
    std::atexit(RemoveScratch);
  }
  return made;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
