// Test doubles for the runner: a scratch folder as start folder, scripted prompt answers and a
// sink that records what it was told.
#pragma once

#include "install_script.h"

#include <deque>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::string& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& content) const;  // returns the path
  std::string Read(const std::string& name) const;                               // "" when missing

 private:
  std::string path_;
};

class FakeServices : public ScriptServices {
 public:
  std::string currentDirectory;
  unsigned long lastError = 5;
  std::deque<int> answers;           // next prompt answers; empty means Ignore
  std::vector<std::string> prompts;  // texts shown
  bool hasRecord = false;
  std::string recordFolder;
  std::string recordAskedFor;

  std::string CurrentDirectory() override { return currentDirectory; }
  std::string SpecialFolder(int folderId) override {
    return folderId == kSystemFolderId    ? "C:\\WINDOWS\\system32"
           : folderId == kWindowsFolderId ? "C:\\WINDOWS"
                                          : "";
  }
  unsigned long LastError() override { return lastError; }
  std::string ErrorText(unsigned long code) override {
    return "System text " + std::to_string(code) + "\r\n";
  }
  int AskAbortRetryIgnore(const std::string& text) override {
    prompts.push_back(text);
    if (answers.empty()) return kAnswerIgnore;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ReadUninstallRecord(const std::string& name, std::string& folder) override {
    recordAskedFor = name;
    if (hasRecord) folder = recordFolder;
    return hasRecord;
  }
};

class RecordingSink : public ProgressSink {
 public:
  std::vector<std::string> statuses;
  int steps = 0;
  std::vector<int> ranges;
  void ShowStatus(const char* text, const char* detail) override {
    statuses.push_back(std::string(text) + "|" + detail);
  }
  void Step() override { ++steps; }
  void SetRange(int count) override { ranges.push_back(count); }
};
