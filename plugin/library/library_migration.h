// Where the library lives, and the move of a user's library into a per-user root.
//
// The classic root is the system directory's kwTemplates folder. The x64 module keeps the library
// in the user's application-data folder instead (APPDATA\Tavimor\kwTemplates\): a 64-bit process
// gets no per-user redirection of writes under the Windows folder, so a standard user could save
// nothing in the classic root. The dictionaries stay machine-wide in the classic root, where the
// installation puts them; a copy in the per-user root is preferred when there is one.
//
// The first load that finds no per-user root builds it from the classic root: the templates, the
// groups (folders included), Recent.dat and SavedWords.dat are copied into a staging folder
// beside the root (kwTemplates.new), which is renamed into place only when everything has been
// copied. Nothing in the classic root is changed or deleted. A copy that breaks off, by a failure
// or by the process dying, leaves no root; the next load clears the staging folder and starts
// again. Platform-neutral over the file-system layer.
#pragma once

#include <string>

// The folder made inside the application-data folder, and the staging folder's suffix.
constexpr const char* kUserLibraryFolder = "Tavimor";
constexpr const char* kStagingSuffix = ".new";

// SYSTEM\kwTemplates\ (with the separator at the end).
std::string ClassicLibraryRoot(const std::string& systemDirectory);

// APPDATA\Tavimor\kwTemplates\; empty when appData is empty (the folder is unknown).
std::string UserLibraryRoot(const std::string& appData);

// The steps of MigrateLibrary, for the fault hook.
enum class MigrationStep { kClearStaging, kMakeFolder, kCopyFile, kPutInPlace };

// Fault hook for tests: asked before each step (with the path the step makes, copies to or
// clears); true makes the step fail as a refused or full disk would. Unset by default.
using MigrationFault = bool (*)(MigrationStep step, const std::string& path);
void SetMigrationFault(MigrationFault fault);

// Makes userRoot from classicRoot unless userRoot exists already (then nothing is copied). A
// missing classic root, or a missing Templates or Groups folder in it, gives empty ones. True
// when userRoot exists afterwards.
bool MigrateLibrary(const std::string& classicRoot, const std::string& userRoot);

struct LibraryRoots {
  std::string root;  // templates, groups, Recent.dat, SavedWords.dat, and first choice for dictionaries
  std::string dictionaries;  // where the dictionaries are looked for after root; empty for nowhere else
};

// The roots of one load of the x64 module: the per-user root (migrated when needed) with the
// classic root for the dictionaries; the classic root alone when the user's folder is unknown or
// the per-user root cannot be made this time (so the user still sees the library, and the move
// is tried again on the next load).
LibraryRoots PerUserLibraryRoots(const std::string& classicRoot, const std::string& userRoot);
