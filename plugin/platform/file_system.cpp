#include "file_system.h"

#include <memory>

#include "file_text.h"
#include "plugin_text.h"

// Replaces the old file with the new one; lives in the platform file.
bool MoveOver(const std::string& from, const std::string& to);

namespace {

ReplaceFault gReplaceFault = nullptr;

bool Fails(ReplaceStep step, const std::string& path) {
  return gReplaceFault != nullptr && gReplaceFault(step, path);
}

// Closed however the read ends: the text grows through the host's allocator, which may throw,
// and a file left open would hold the library's files against later saves and deletes.
using OpenFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

OpenFile Open(const std::string& path, const char* mode) {
  return OpenFile(OpenFileStream(path, mode), std::fclose);
}

// Reads what is left of file; false on a read error.
bool ReadRest(std::FILE* file, std::string& content) {
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) content.append(block, got);
  return !std::ferror(file);
}

// Writes bytes to a new file to (binary); a partly written to is removed again.
bool WriteNewFile(const std::string& to, const std::string& bytes) {
  std::FILE* out = OpenFileStream(to, "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  const bool copied = std::fclose(out) == 0 && written;
  if (!copied) DeleteFileAt(to);
  return copied;
}

}  // namespace

void SetReplaceFault(ReplaceFault fault) {
  gReplaceFault = fault;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  const OpenFile file = Open(path, "rb");
  if (file == nullptr) return false;
  std::string content;
  if (!ReadRest(file.get(), content)) return false;
  text = FileTextToPluginText(content);
  return true;
}

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  const std::string fresh = path + kNewFileSuffix;
  std::FILE* file = Fails(ReplaceStep::kCreate, path) ? nullptr : OpenFileStream(fresh, "w");
  if (file == nullptr) return false;
  const std::size_t size = Fails(ReplaceStep::kWrite, path) ? text.size() / 2 : text.size();
  const bool written = std::fwrite(text.data(), 1, size, file) == text.size();
  const bool failClose = Fails(ReplaceStep::kClose, path);
  const bool closed = std::fclose(file) == 0 && !failClose;
  if (written && closed && !Fails(ReplaceStep::kPutInPlace, path) && MoveOver(fresh, path)) return true;
  DeleteFileAt(fresh);
  return false;
}

bool CopyFileBytes(const std::string& from, const std::string& to) {
  std::FILE* in = OpenFileStream(from, "rb");
  if (in == nullptr) return false;
  std::FILE* out = OpenFileStream(to, "wb");
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
  if (!copied) DeleteFileAt(to);
  return copied;
}

bool CopyTextFile(const std::string& from, const std::string& to) {
  if (!kUtf8Text) return CopyFileBytes(from, to);
  std::string content;
  {
    const OpenFile in = Open(from, "rb");
    if (in == nullptr || !ReadRest(in.get(), content)) return false;
  }
  return WriteNewFile(to, FileTextToPluginText(content));
}
