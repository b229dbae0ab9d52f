#include "script_text.h"

#include "log_file.h"

#include <cstdio>

bool ScriptText::IsBracketed(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

void ScriptText::SplitKeyLine(const std::string& line, std::string& key, std::string& value) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) {
    key = value = line;
  } else {
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
  }
}

void ScriptText::Parse(const std::string& content) {
  lines_.clear();
  sections_.clear();
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const std::size_t next = end == std::string::npos ? content.size() : end + 1;
    if (end == std::string::npos) end = content.size();
    std::size_t length = end - start;
    if (length > 0 && content[start + length - 1] == '\r') --length;
    if (length > kScriptLineMax) length = kScriptLineMax;
    if (length > 0) lines_.push_back(content.substr(start, length));
    start = next;
  }

  Section* current = nullptr;
  std::string key, value;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (IsBracketed(line)) {
      // A header seen before opens nothing: lookups stop at its first section.
      auto inserted = sections_.emplace(line, Section());
      current = inserted.second ? &inserted.first->second : nullptr;
      if (current) current->begin = i + 1;
      continue;
    }
    if (!current) continue;
    ++current->count;
    SplitKeyLine(line, key, value);
    current->values.emplace(key, value);
  }
}

const std::string* ScriptText::Find(const std::string& section, const std::string& key) const {
  auto found = sections_.find("[" + section + "]");
  if (found == sections_.end()) return nullptr;
  auto value = found->second.values.find(key);
  return value == found->second.values.end() ? nullptr : &value->second;
}

int ScriptText::Count(const std::string& section) const {
  auto found = sections_.find("[" + section + "]");
  return found == sections_.end() ? 0 : found->second.count;
}

void ScriptText::Range(const std::string& section, std::size_t& begin, std::size_t& end) const {
  auto found = sections_.find("[" + section + "]");
  begin = end = 0;
  if (found == sections_.end()) return;
  begin = found->second.begin;
  end = begin + static_cast<std::size_t>(found->second.count);
}

std::size_t ScriptText::LineIndex(const std::string& text) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i] == text) return i;
  return lines_.size();
}

bool ReadScriptFile(const std::string& path, ScriptText& text) {
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  std::string content;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
  std::fclose(file);
  text.Parse(content);
  return true;
}
