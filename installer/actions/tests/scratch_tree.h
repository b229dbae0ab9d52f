// A scratch folder under the system's temporary folder that becomes the current directory and
// start folder of a loaded script, with helpers to lay out files and read the log.
#pragma once

#include "install_script.h"
#include "system_services.h"

#include <memory>
#include <string>
#include <vector>

class RecordingSink : public ProgressSink {
 public:
  std::vector<std::string> statuses;
  int steps = 0;
  void ShowStatus(const char* text, const char* detail) override {
    statuses.push_back(std::string(text) + "|" + detail);
  }
  void Step() override { ++steps; }
  void SetRange(int) override {}
};

class ScratchTree {
 public:
  explicit ScratchTree(const std::string& script = "[SETTINGS]\nName=T\n");
  ~ScratchTree();

  const std::string& Root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
  void WriteFile(const std::string& relative, const std::string& content) const;
  void MakeFolder(const std::string& relative) const;
  static std::string ReadFile(const std::string& path);
  static bool Exists(const std::string& path);
  // Names in a folder, sorted.
  static std::vector<std::string> Entries(const std::string& folder);

  // Log messages without their time stamps; ClearLog starts afresh.
  std::vector<std::string> LogMessages() const;
  void ClearLog() const;

  InstallScript& Script() { return *script_; }
  SystemServices services;
  RecordingSink sink;

 private:
  std::string previous_;
  std::string root_;
  std::unique_ptr<InstallScript> script_;
};

// A drive letter that names no drive ("" when every letter is taken).
std::string UnusedDrive();
// Makes a Unix symbolic link at link pointing to target (both Windows paths).
bool MakeUnixLink(const std::string& target, const std::string& link);
bool RemoveUnixLink(const std::string& link);
// Removes a folder with everything in it without following links.
void RemoveTree(const std::string& path);
