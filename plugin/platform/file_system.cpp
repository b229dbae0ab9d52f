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

// Flushes the copy out to the disk and closes it; a partly written copy is removed again.
CopyResult FinishCopy(std::FILE* out, bool written, const std::string& to) {
  written = written && !Fails(ReplaceStep::kFlush, to) && FlushToDisk(out);
  written = std::fclose(out) == 0 && written;
  if (written) return CopyResult::kCopied;
  DeleteFileAt(to);
  return CopyResult::kUnwritten;
}

// Writes bytes to a new file to (binary).
CopyResult WriteNewFile(const std::string& to, const std::string& bytes) {
  std::FILE* out = OpenFileStream(to, "wb");
  if (out == nullptr) return CopyResult::kUnwritten;
  return FinishCopy(out, std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(), to);
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

namespace {

bool ReplaceThrough(const std::string& path, const std::string& text, const char* mode) {
  const std::string fresh = path + kNewFileSuffix;
  std::FILE* file = Fails(ReplaceStep::kCreate, path) ? nullptr : OpenFileStream(fresh, mode);
  if (file == nullptr) return false;
  const std::size_t size = Fails(ReplaceStep::kWrite, path) ? text.size() / 2 : text.size();
  const bool written = std::fwrite(text.data(), 1, size, file) == text.size() &&
                       !Fails(ReplaceStep::kFlush, path) && FlushToDisk(file);
  const bool failClose = Fails(ReplaceStep::kClose, path);
  const bool closed = std::fclose(file) == 0 && !failClose;
  if (written && closed && !Fails(ReplaceStep::kPutInPlace, path) && MoveOver(fresh, path)) return true;
  DeleteFileAt(fresh);
  return false;
}

}  // namespace

bool ReplaceTextFile(const std::string& path, const std::string& text) {
  return ReplaceThrough(path, text, "w");
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  return ReplaceThrough(path, bytes, "wb");
}

bool IsLinkTag(std::uint32_t tag) {
  constexpr std::uint32_t kMountPoint = 0xA0000003, kSymbolicLink = 0xA000000C;
  return tag == kMountPoint || tag == kSymbolicLink || tag == 0;
}

CopyResult CopyFileBytes(const std::string& from, const std::string& to) {
  const OpenFile in = Open(from, "rb");
  if (in == nullptr) return CopyResult::kUnreadable;
  std::FILE* out = OpenFileStream(to, "wb");
  if (out == nullptr) return CopyResult::kUnwritten;
  bool written = true;
  char block[4096];
  std::size_t got;
  while (written && (got = std::fread(block, 1, sizeof block, in.get())) > 0)
    written = std::fwrite(block, 1, got, out) == got;
  if (std::ferror(in.get())) {
    std::fclose(out);
    DeleteFileAt(to);
    return CopyResult::kUnreadable;
  }
  return FinishCopy(out, written, to);
}

CopyResult CopyTextFile(const std::string& from, const std::string& to) {
  if (!kUtf8Text) return CopyFileBytes(from, to);
  std::string content;
  {
    const OpenFile in = Open(from, "rb");
    if (in == nullptr || !ReadRest(in.get(), content)) return CopyResult::kUnreadable;
  }
  return WriteNewFile(to, FileTextToPluginText(content));
}
