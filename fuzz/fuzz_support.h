// Shared by the fuzz targets: a check that stops the run with a message, and a scratch folder
// for the readers that only take files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run when an invariant does not hold; libFuzzer then saves the input.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

// The input as text.
inline std::string InputText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The input up to its first NUL, as the C-string interfaces see it.
inline std::string InputCString(const std::uint8_t* data, std::size_t size) {
  std::string text = InputText(data, size);
  return text.substr(0, text.find('\0'));
}

// A folder of its own for this process, created on first use and removed at exit. Ends with "/".
const std::string& ScratchRoot();

// Writes content to path in binary mode; false when it cannot.
bool WriteWholeFile(const std::string& path, const std::string& content);

// Reads path whole in binary mode; "" when it cannot.
std::string ReadWholeFile(const std::string& path);
