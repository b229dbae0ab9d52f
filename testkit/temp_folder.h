// A fresh folder for one test, removed with everything in it afterwards. Path() ends with the
// path separator, the way the library root does.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "file_system.h"
#include "plugin_text.h"
#include "utf8_text.h"

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() / ("kwtest-" + std::to_string(random()));
    std::filesystem::create_directories(folder_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return folder_.string() + kPathSeparator; }

  // Writes bytes exactly as given (binary), creating the folders on the way.
  void Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = folder_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }

  // The bytes of a file, or "<missing>".
  std::string Read(const std::string& relative) const {
    std::ifstream in(folder_ / relative, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void MakeDir(const std::string& relative) const { std::filesystem::create_directories(folder_ / relative); }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(folder_ / relative); }

 private:
  std::filesystem::path folder_;
};

// The line end the C library's text mode writes.
#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

// The plug-in's text of text: UTF-8 in the 64-bit builds; in the 32-bit build Windows-1252, for
// the characters it shares with Latin-1 (the only ones the tests give there).
inline std::string Text(const std::u16string& text) {
  if (kUtf8Text) return Utf16ToUtf8(text);
  std::string ansi;
  for (const char16_t c : text) ansi += static_cast<char>(c);
  return ansi;
}

// The bytes of the file at path, or "<missing>".
inline std::string ReadAt(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "<missing>";
}
