#include "library_migration.h"

#include "file_system.h"

namespace {

constexpr const char* kLibraryFolder = "kwTemplates";
const char* const kBranches[] = {"Templates", "Groups"};
const char* const kUserFiles[] = {"Recent.dat", "SavedWords.dat"};
// As deep as the group list walks: a folder link pointing back up the tree must not make the
// copy endless.
constexpr int kMaxDepth = 8;

MigrationFault gFault = nullptr;
MigrationReport gReport = nullptr;

bool Fails(MigrationStep step, const std::string& path) {
  return gFault != nullptr && gFault(step, path);
}

// An entry that stays where it is; the move goes on without it.
void LeaveBehind(const std::string& path) {
  if (gReport != nullptr) gReport(path);
}

std::string WithoutSeparator(const std::string& folder) {
  return !folder.empty() && folder.back() == kPathSeparator ? folder.substr(0, folder.size() - 1) : folder;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool MakeStagedFolder(const std::string& path) {
  return !Fails(MigrationStep::kMakeFolder, path) && MakeFolder(path);
}

// Whether a file of the library is text of the plug-in's: a template or group (".tmp" in either
// case, as the library lists them), or one of the user's files.
bool IsLibraryText(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return end == ".tmp";
}

// The library's text is converted to the plug-in's as it is copied: the earlier roots hold the
// 32-bit module's ANSI text (or UTF-8 that the x64 module wrote there while it had no per-user root,
// which stays as it is). Anything else goes byte for byte.
CopyResult CopyStagedFile(const std::string& from, const std::string& to, bool text) {
  if (Fails(MigrationStep::kCopyFile, to)) return CopyResult::kUnwritten;
  return text ? CopyTextFile(from, to) : CopyFileBytes(from, to);
}

// Copies the tree under from into the existing folder to, keeping what to holds already (from an
// earlier root). A missing from is an empty tree. What can never be copied (a folder or file that
// cannot be read, a name the plug-in's text cannot hold, a link, which is never followed) is left
// behind. False when something could not be written (a full disk or quota, a refused folder):
// the move stops there, since going on would only leave more behind.
bool CopyTree(const std::string& from, const std::string& to, int depth) {
  if (!PathExists(from)) return true;
  std::vector<DirectoryEntry> entries;
  if (!ListDirectory(from, entries)) {
    LeaveBehind(from);
    return true;
  }
  for (const DirectoryEntry& entry : entries) {
    const std::string source = from + kPathSeparator + entry.name;
    const std::string target = to + kPathSeparator + entry.name;
    if (entry.link || entry.nameLost) {
      LeaveBehind(source);
    } else if (entry.directory) {
      if (depth >= kMaxDepth) continue;
      if (!PathExists(target) && !MakeStagedFolder(target)) return false;
      if (!CopyTree(source, target, depth + 1)) return false;
    } else if (!EndsWith(entry.name, std::string(".tmp") + kNewFileSuffix) && !PathExists(target)) {
      // A replacement left beside a file by an interrupted save is not the user's data.
      const CopyResult copied = CopyStagedFile(source, target, IsLibraryText(entry.name));
      if (copied == CopyResult::kUnwritten) return false;
      if (copied == CopyResult::kUnreadable) LeaveBehind(source);
    }
  }
  return true;
}

// Removes a staging folder that an earlier, broken-off move left, with everything in it. A link
// inside goes as a link; what it points to is never touched.
bool RemoveTree(const std::string& folder, int depth) {
  std::vector<DirectoryEntry> entries;
  if (depth > kMaxDepth + 1 || !ListDirectory(folder, entries)) return false;
  for (const DirectoryEntry& entry : entries) {
    const std::string path = folder + kPathSeparator + entry.name;
    if (entry.nameLost) return false;  // cannot be named, so cannot be removed
    if (entry.link) {
      if (!RemoveLink(path)) return false;
    } else if (entry.directory) {
      if (!RemoveTree(path, depth + 1)) return false;
    } else {
      DeleteFileAt(path);
    }
  }
  return RemoveEmptyFolder(folder);
}

// Clears what a broken-off move left: a staging folder that is itself a link goes as a link.
bool ClearStaging(const std::string& staging) {
  const bool link = IsLinkAt(staging);
  if (!link && !PathExists(staging)) return true;
  if (Fails(MigrationStep::kClearStaging, staging)) return false;
  return link ? RemoveLink(staging) : RemoveTree(staging, 0);
}

// The move itself, by the holder of the lock. Every copied file is on the disk (CopyFileBytes)
// before the rename, itself written through, makes the root.
bool MoveUnderLock(const std::vector<std::string>& earlierRoots, const std::string& target) {
  if (PathExists(target)) return true;  // another load has just made it
  const std::string staging = target + kStagingSuffix;
  if (!ClearStaging(staging) || !MakeStagedFolder(staging)) return false;
  for (const char* branch : kBranches) {
    const std::string into = staging + kPathSeparator + branch;
    if (!MakeStagedFolder(into)) return false;
    for (const std::string& root : earlierRoots) {
      if (!CopyTree(root + branch, into, 0)) return false;
    }
  }
  for (const char* file : kUserFiles) {
    const std::string into = staging + kPathSeparator + file;
    for (const std::string& root : earlierRoots) {
      if (!PathExists(root + file)) continue;
      const CopyResult copied = CopyStagedFile(root + file, into, true);
      if (copied == CopyResult::kUnwritten) return false;
      if (copied == CopyResult::kUnreadable) LeaveBehind(root + file);
      break;
    }
  }
  return !Fails(MigrationStep::kPutInPlace, target) && RenameFolder(staging, target);
}

}  // namespace

void SetMigrationFault(MigrationFault fault) {
  gFault = fault;
}

void SetMigrationReport(MigrationReport report) {
  gReport = report;
}

std::string ClassicLibraryRoot(const std::string& systemDirectory) {
  return systemDirectory + kPathSeparator + kLibraryFolder + kPathSeparator;
}

std::string UserLibraryRoot(const std::string& appData) {
  if (appData.empty()) return std::string();
  return WithoutSeparator(appData) + kPathSeparator + kUserLibraryFolder + kPathSeparator + kLibraryFolder +
         kPathSeparator;
}

std::vector<std::string> EarlierLibraryRoots(const std::string& classicRoot,
                                             const std::string& wow64Directory,
                                             const std::string& localAppData) {
  std::vector<std::string> roots;
  if (!wow64Directory.empty()) {
    const std::string redirected = ClassicLibraryRoot(WithoutSeparator(wow64Directory));
    if (!localAppData.empty()) {
      const bool drive = redirected.size() > 1 && redirected[1] == ':';
      roots.push_back(WithoutSeparator(localAppData) + kPathSeparator + "VirtualStore" +
                      redirected.substr(drive ? 2 : 0));
    }
    roots.push_back(redirected);
  }
  roots.push_back(classicRoot);
  return roots;
}

bool MigrateLibrary(const std::vector<std::string>& earlierRoots, const std::string& userRoot,
                    int lockAttempts) {
  const std::string target = WithoutSeparator(userRoot);
  if (target.empty()) return false;
  if (PathExists(target)) return true;
  // The folder above the root (APPDATA\Tavimor), which holds the lock, may be there already.
  const std::size_t parent = target.find_last_of(kPathSeparator);
  if (parent != std::string::npos && parent > 0 && !PathExists(target.substr(0, parent)))
    MakeFolder(target.substr(0, parent));
  const std::string lockPath = target + kLockSuffix;
  int missing = 0;
  for (int attempt = 0; attempt < lockAttempts; ++attempt) {
    if (attempt > 0) PauseBeforeRetry();
    const ExclusiveLock lock(lockPath);
    if (lock.Held()) return MoveUnderLock(earlierRoots, target);
    if (PathExists(target)) return true;  // the holder has finished
    // No lock file after a refusal: it cannot be made here (no folder, no right to write), unless
    // its holder has just let it go; only a held lock is worth waiting for.
    if (!PathExists(lockPath) && ++missing > 1) return false;
  }
  return false;
}

LibraryRoots PerUserLibraryRoots(const std::string& classicRoot, const std::vector<std::string>& earlierRoots,
                                 const std::string& userRoot) {
  if (!MigrateLibrary(earlierRoots, userRoot, 1)) {
    for (const std::string& root : earlierRoots) {
      if (root != classicRoot && PathExists(root)) return {root, classicRoot, userRoot, classicRoot, true};
    }
    return {classicRoot, std::string(), userRoot, classicRoot, !userRoot.empty()};
  }
  LibraryRoots roots = {std::string(), std::string(), userRoot, classicRoot, false};
  TakeMovedRoot(roots);
  return roots;
}

bool TakeMovedRoot(LibraryRoots& roots) {
  if (roots.pendingRoot.empty() || !PathExists(WithoutSeparator(roots.pendingRoot))) return false;
  // A root that arrived without its branch folders (made by hand, roamed in) would refuse every save.
  for (const char* branch : kBranches) {
    if (!PathExists(roots.pendingRoot + branch)) MakeFolder(roots.pendingRoot + branch);
  }
  roots = {roots.pendingRoot, roots.pendingDictionaries, std::string(), std::string(), false};
  return true;
}
