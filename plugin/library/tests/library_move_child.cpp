// A load of the x64 module starting the library move, slowed down (a pause before each copied
// file) so that several started at once overlap: library_move_child USER-ROOT EARLIER-ROOT...
// Exits 0 when the user root is in place afterwards.
#include <string>
#include <vector>

#include "file_system.h"
#include "library_migration.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  SetMigrationFault([](MigrationStep step, const std::string&) {
    if (step == MigrationStep::kCopyFile) {
      PauseBeforeRetry();
      PauseBeforeRetry();
    }
    return false;
  });
  return MigrateLibrary(std::vector<std::string>(argv + 2, argv + argc), argv[1]) ? 0 : 1;
}
