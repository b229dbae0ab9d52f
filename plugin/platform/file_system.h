// The few file-system calls the keyword library and the language services make, behind one
// small interface: file_system_win32.cpp implements it for the plug-in, file_system_posix.cpp
// for the native build and its tests. Paths and names are the plug-in's text (plugin_text.h):
// UTF-8 in the 64-bit builds, the ANSI code page in the 32-bit build. On Windows they reach the
// system through its Unicode calls, converted with that code page (system_text.h), so the 64-bit
// builds reach every name a user or the system gives, and the 32-bit build names what the ANSI
// calls named.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Separator between the parts of a path. The library root always ends with it.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Opens a file through the C library (fopen's modes) by its path in the plug-in's text; null when
// it cannot be opened.
std::FILE* OpenFileStream(const std::string& path, const char* mode);

// Reads a whole file of the plug-in's in binary mode, so that a Ctrl-Z byte (0x1A) in a value
// does not end it as the C library's text mode would; line ends stay as they are (CR LF or LF:
// SplitTextLines takes both). The bytes come back as the plug-in's text: an ANSI line is
// converted in the 64-bit builds (FileTextToPluginText, file_text.h). Returns false, text
// unchanged, when the file cannot be opened or read.
bool ReadTextFile(const std::string& path, std::string& text);

// Writes text in text mode to path + kNewFileSuffix, flushes it to the disk, then puts that file in
// place of path (written through: the rename too is on the disk when the call returns). When any
// step fails the old file is left as it was, the new one is removed, and false is returned: a
// failed or interrupted write, or a power loss, never loses the previous content.
constexpr const char* kNewFileSuffix = ".new";
bool ReplaceTextFile(const std::string& path, const std::string& text);
// The same in binary mode: the bytes as they are, line ends included.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);

// The steps of ReplaceTextFile, in order.
enum class ReplaceStep { kCreate, kWrite, kFlush, kClose, kPutInPlace };

// Fault hook for tests: when set, it is asked before each step of ReplaceTextFile (with the path
// being replaced) and a true answer makes that step fail as a refused or full disk would: the new
// file cannot be created, the write stops half-way, the flush or closing reports an error, or the
// new file cannot be put in place. The copies below ask it before their flush, with the path
// copied to. Unset (the default) it costs one test per step and changes nothing.
using ReplaceFault = bool (*)(ReplaceStep step, const std::string& path);
void SetReplaceFault(ReplaceFault fault);

// True when something (file or folder) exists at path.
bool PathExists(const std::string& path);

struct DirectoryEntry {
  std::string name;
  bool directory;
  bool link = false;  // a junction or symbolic link (see IsLinkTag): never to be descended into
  // The plug-in's text cannot hold the name (in the 32-bit build a character outside the ANSI
  // code page, in any build a broken UTF-16 surrogate): name is only a look-alike, which reaches
  // nothing or another entry.
  bool nameLost = false;
};

// Whether a reparse point with this tag is a link to somewhere else: a symbolic link or a mount
// point (junction), and a reparse point whose tag the system does not give (0, never a real tag:
// Wine shows a Unix symbolic link so). Any other (a cloud file's placeholder, a deduplicated or
// compressed file) is the file or folder itself, its content read through the system.
bool IsLinkTag(std::uint32_t tag);

// True when the entry at path is itself a link (IsLinkTag), whatever it points to.
bool IsLinkAt(const std::string& path);

// Appends the entries of folder in the order the file system returns them, without "." and "..".
// Returns false, entries unchanged, when the folder cannot be read.
bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries);

// Creates one folder; false when it exists already or cannot be made.
bool MakeFolder(const std::string& path);

// Removes a folder only when it is empty.
bool RemoveEmptyFolder(const std::string& path);

// Deletes a file; a missing file is not an error.
void DeleteFileAt(const std::string& path);

// Removes a link (to a folder or a file) itself, never what it points to. False when it cannot be
// removed as a link: where the system cannot open the link itself, removing it would act on the
// target, so it stays.
bool RemoveLink(const std::string& path);

// An exclusively opened lock file: one holder at a time, across processes and, for a file on a
// network share, across machines (a named mutex would be neither). Tried once on construction;
// released, and the file removed, when destroyed or when the holder's process ends.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(const std::string& path);
  ~ExclusiveLock();
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;
  bool Held() const { return handle_ != kNone; }

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
};

// Waits a short while (a twentieth of a second) before a call is tried again.
void PauseBeforeRetry();

// How a copy ended. A source that cannot be read stays so on the next try; a copy that could not
// be written (a full disk or quota, a refused folder) may go through once there is room.
enum class CopyResult { kCopied, kUnreadable, kUnwritten };

// Copies a file byte for byte (binary mode), creating or truncating to, and flushes the copy to the
// disk. A partly written to is removed again.
CopyResult CopyFileBytes(const std::string& from, const std::string& to);

// Copies a file of the plug-in's as CopyFileBytes does, its content converted to the plug-in's
// text on the way (FileTextToPluginText: line ends and all else kept; byte for byte in the 32-bit
// build).
CopyResult CopyTextFile(const std::string& from, const std::string& to);

// Writes what the C library holds of an open file to the disk (the system's buffers included);
// false on a write error.
bool FlushToDisk(std::FILE* file);

// Renames a folder, written through to the disk; false when to exists already or the rename is
// refused.
bool RenameFolder(const std::string& from, const std::string& to);

// The folders below are empty where the plug-in's text cannot hold their path (see
// DirectoryEntry::nameLost), as when the system cannot say.

// The Windows system directory (no trailing separator); natively the current directory ".".
std::string SystemDirectory();

// The user's (roaming) application-data folder from the shell, of any length (no trailing
// separator); empty when the shell cannot say, and natively.
std::string UserDataDirectory();

// The 32-bit system folder of 64-bit Windows (no trailing separator); empty elsewhere and natively.
std::string SystemWow64Directory();

// The user's local (not roaming) application-data folder; empty when the shell cannot say, and
// natively.
std::string LocalUserDataDirectory();

// Writes into path (capacity bytes) LOCAL\folder\file, LOCAL being the user's local
// application-data folder, and makes LOCAL\folder when it is missing. Uses no memory of the
// module's (it is asked before the host's memory is there). False when the shell cannot say, the
// path does not fit or the plug-in's text cannot hold it, and natively.
bool LocalUserFilePath(const char* folder, const char* file, char* path, std::size_t capacity);
