// Where the library lives, and the move of a user's library into a per-user root.
//
// The classic root is the system directory's kwTemplates folder. The x64 module keeps the library
// in the user's application-data folder instead (APPDATA\Tavimor\kwTemplates\): a 64-bit process
// gets no per-user redirection of writes under the Windows folder, so a standard user could save
// nothing in the classic root. The dictionaries stay machine-wide in the classic root, where the
// installation puts them; a copy in the per-user root is preferred when there is one.
//
// The first load that finds no per-user root builds it from the earlier roots (see
// EarlierLibraryRoots): the templates, the groups (folders included), Recent.dat and SavedWords.dat
// are copied into a staging folder beside the root (kwTemplates.new), which is renamed into place
// once the copy is done. Names are copied as the system gives them (its Unicode calls); the
// templates', groups' and user files' text is converted to the plug-in's on the way (the ANSI code
// page's lines to UTF-8 in the x64 module, see CopyTextFile). Nothing in the earlier roots is
// changed or deleted. An entry that can never be copied (a name the plug-in's text cannot hold,
// which only the 32-bit build meets, an unreadable file, a link) stays where it is and is reported;
// the move finishes with everything else. What cannot be written (a full disk or quota) breaks the
// move off: a move that breaks off, by a failure or by the process dying, leaves no root (the
// earlier root stays in use) and its staging folder; the next load clears that and starts again.
// Each copied file is flushed to the disk before the staging folder is renamed, so a power loss
// never leaves a root of empty files.
//
// Two loads may start the move at once (two host versions sharing the plug-in, a roaming profile
// used on two machines): the move is done under an exclusively opened lock file beside the root
// (kwTemplates.lock), and only its holder clears or fills the staging folder. Whoever gets the
// lock after a move has finished finds the root in place and leaves it alone.
// Platform-neutral over the file-system layer.
#pragma once

#include <string>
#include <vector>

// The folder made inside the application-data folder, the staging folder's suffix and the lock
// file's.
constexpr const char* kUserLibraryFolder = "Tavimor";
constexpr const char* kStagingSuffix = ".new";
constexpr const char* kLockSuffix = ".lock";

// SYSTEM\kwTemplates\ (with the separator at the end).
std::string ClassicLibraryRoot(const std::string& systemDirectory);

// APPDATA\Tavimor\kwTemplates\; empty when appData is empty (the folder is unknown).
std::string UserLibraryRoot(const std::string& appData);

// Where the 32-bit module kept the library on the 64-bit Windows the x64 module runs on, the first
// the most recent: a 32-bit process that names SYSTEM\kwTemplates\ is led to the 32-bit system
// folder (wow64Directory) instead, and what a standard user saved there went to the user's virtual
// store (localAppData\VirtualStore\ and that folder's path without its drive), which the module
// saw in front of the folder itself. Last comes the classic root as the x64 module names it. An
// empty wow64Directory or localAppData drops what depends on it.
std::vector<std::string> EarlierLibraryRoots(const std::string& classicRoot,
                                             const std::string& wow64Directory,
                                             const std::string& localAppData);

// The steps of MigrateLibrary, for the fault hook. kCopyFile fails as a file that cannot be
// written does.
enum class MigrationStep { kClearStaging, kMakeFolder, kCopyFile, kPutInPlace };

// Fault hook for tests: asked before each step (with the path the step makes, copies to or
// clears); true makes the step fail as a refused or full disk would. Unset by default.
using MigrationFault = bool (*)(MigrationStep step, const std::string& path);
void SetMigrationFault(MigrationFault fault);

// Told the path of each entry of an earlier root that the move leaves where it is, because it
// cannot be copied or is a link; the plug-in names them in its error log. Unset by default.
using MigrationReport = void (*)(const std::string& path);
void SetMigrationReport(MigrationReport report);

// How often MigrateLibrary tries the lock, a twentieth of a second apart, before it gives up.
constexpr int kMigrationLockAttempts = 200;

// Makes userRoot from the earlier roots unless userRoot exists already (then nothing is copied).
// Their folders merge; of a file that several hold, the copy of the first is taken. Missing roots,
// or missing Templates or Groups folders in them, give empty ones. True when userRoot exists
// afterwards; false when the lock could not be had, the staging folder could not be cleared or
// made, something could not be written, or the copy could not be put in place.
bool MigrateLibrary(const std::vector<std::string>& earlierRoots, const std::string& userRoot,
                    int lockAttempts = kMigrationLockAttempts);

struct LibraryRoots {
  std::string root;  // templates, groups, Recent.dat, SavedWords.dat, and first choice for dictionaries
  std::string dictionaries;  // where the dictionaries are looked for after root; empty for nowhere else
  // While the move is not done: the per-user root (and its dictionaries) to take once another
  // load's move has put it in place; empty when none is known.
  std::string pendingRoot, pendingDictionaries;
  // Whether root is only read: a root of the 32-bit module, which reads ANSI text there, or any
  // earlier root while a move is awaited, since what is saved there would not be moved.
  bool readOnly = false;
};

// The roots of one load of the x64 module: the per-user root (migrated from earlierRoots when
// needed, its Templates and Groups folders made when missing) with the classic root for the
// dictionaries. While no move has happened (the user's folder is unknown, the move cannot be done
// this time and is tried again on the next load, or another load holds the lock), the first
// earlier root that exists, where the user's files are, with the classic root for the
// dictionaries. The lock is tried once: the load runs on the host's interface thread, which
// must never wait for another host's move; TakeMovedRoot looks again at the next use instead.
LibraryRoots PerUserLibraryRoots(const std::string& classicRoot, const std::vector<std::string>& earlierRoots,
                                 const std::string& userRoot);

// When roots wait for a move (pendingRoot) that is now in place, switches them to the per-user
// root, its Templates and Groups folders made when missing; true when they changed.
bool TakeMovedRoot(LibraryRoots& roots);
