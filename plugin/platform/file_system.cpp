#include "file_system.h"

#include <cstdio>
#include <memory>

// Replaces the old file with the new one; lives in the platform file.
bool MoveOver(const std::string& from, const std::string& to);

namespace {

ReplaceFault gReplaceFault = nullptr;

bool Fails(ReplaceStep step, const std::string& path) {
  return gReplaceFault != nullptr && gReplaceFault(step, path);
}

}  // namespace

void SetReplaceFault(ReplaceFault fault) {
  gReplaceFault = fault;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  // Closed however the read ends: the text grows through the host's allocator, which may throw,
  // and a file left open would hold the library's files against later saves and deletes.
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
  if (file == nullptr) return false;
  std::string content;
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) content.append(block, got);
  text = std::move(content);
  return true;
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  const std::string fresh = path + kNewFileSuffix;
  std::FILE* file = Fails(ReplaceStep::kCreate, path) ? nullptr : std::fopen(fresh.c_str(), "w");
  if (file == nullptr) return false;
  const std::size_t size = Fails(ReplaceStep::kWrite, path) ? text.size() / 2 : text.size();
  const bool written = std::fwrite(text.data(), 1, size, file) == text.size();
  const bool failClose = Fails(ReplaceStep::kClose, path);
  const bool closed = std::fclose(file) == 0 && !failClose;
  if (written && closed && !Fails(ReplaceStep::kPutInPlace, path) && MoveOver(fresh, path)) return true;
  std::remove(fresh.c_str());
  return false;
}

bool CopyFileBytes(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (out == nullptr) {
    std::fclose(in);
    return false;
  }
  bool copied = true;
  char block[4096];
  std::size_t got;
  while (copied && (got = std::fread(block, 1, sizeof block, in)) > 0)
    copied = std::fwrite(block, 1, got, out) == got;
  copied = copied && !std::ferror(in);
  std::fclose(in);
  copied = std::fclose(out) == 0 && copied;
  if (!copied) std::remove(to.c_str());
  return copied;
}
