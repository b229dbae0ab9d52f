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

bool Fails(MigrationStep step, const std::string& path) {
  return gFault != nullptr && gFault(step, path);
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

bool CopyStagedFile(const std::string& from, const std::string& to) {
  return !Fails(MigrationStep::kCopyFile, to) && CopyFileBytes(from, to);
}

// Copies the tree under from into the existing folder to, keeping what to holds already (from an
// earlier root). A missing from is an empty tree; one that exists but cannot be read fails the copy.
bool CopyTree(const std::string& from, const std::string& to, int depth) {
  if (!PathExists(from)) return true;
  std::vector<DirectoryEntry> entries;
  if (!ListDirectory(from, entries)) return false;
  for (const DirectoryEntry& entry : entries) {
    const std::string source = from + kPathSeparator + entry.name;
    const std::string target = to + kPathSeparator + entry.name;
    if (entry.directory) {
      if (depth >= kMaxDepth) continue;
      if ((!PathExists(target) && !MakeStagedFolder(target)) || !CopyTree(source, target, depth + 1))
        return false;
    } else if (!EndsWith(entry.name, std::string(".tmp") + kNewFileSuffix) && !PathExists(target)) {
      // A replacement left beside a file by an interrupted save is not the user's data.
      if (!CopyStagedFile(source, target)) return false;
    }
  }
  return true;
}

// Removes a staging folder that an earlier, broken-off copy left, with everything in it.
bool RemoveTree(const std::string& folder, int depth) {
  std::vector<DirectoryEntry> entries;
  if (depth > kMaxDepth + 1 || !ListDirectory(folder, entries)) return false;
  for (const DirectoryEntry& entry : entries) {
    const std::string path = folder + kPathSeparator + entry.name;
    if (entry.directory) {
      if (!RemoveTree(path, depth + 1)) return false;
    } else {
      DeleteFileAt(path);
    }
  }
  return RemoveEmptyFolder(folder);
}

}  // namespace

void SetMigrationFault(MigrationFault fault) {
  gFault = fault;
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

bool MigrateLibrary(const std::vector<std::string>& earlierRoots, const std::string& userRoot) {
  const std::string target = WithoutSeparator(userRoot);
  if (target.empty()) return false;
  if (PathExists(target)) return true;
  const std::string staging = target + kStagingSuffix;
  if (PathExists(staging) && (Fails(MigrationStep::kClearStaging, staging) || !RemoveTree(staging, 0)))
    return false;
  // The folder above the root (APPDATA\Tavimor) may be there already.
  const std::size_t parent = target.find_last_of(kPathSeparator);
  if (parent != std::string::npos && parent > 0 && !PathExists(target.substr(0, parent)))
    MakeFolder(target.substr(0, parent));

  if (!MakeStagedFolder(staging)) return false;
  for (const char* branch : kBranches) {
    const std::string into = staging + kPathSeparator + branch;
    if (!MakeStagedFolder(into)) return false;
    for (const std::string& root : earlierRoots)
      if (!CopyTree(root + branch, into, 0)) return false;
  }
  for (const char* file : kUserFiles) {
    const std::string into = staging + kPathSeparator + file;
    for (const std::string& root : earlierRoots) {
      if (!PathExists(root + file)) continue;
      if (!CopyStagedFile(root + file, into)) return false;
      break;
    }
  }
  return !Fails(MigrationStep::kPutInPlace, target) && RenameFolder(staging, target);
}

LibraryRoots PerUserLibraryRoots(const std::string& classicRoot, const std::vector<std::string>& earlierRoots,
                                 const std::string& userRoot) {
  if (!MigrateLibrary(earlierRoots, userRoot)) return {classicRoot, std::string()};
  return {userRoot, classicRoot};
}
