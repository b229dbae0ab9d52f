// Registry actions: a registry section (from its header line to the end of the script) lists keys
// and values to create or to delete; see registry_lines.h for the line forms. A key line that names
// no parent (a key right below a root, or a later section's header) is skipped with a log line,
// and so are the lines under it up to the next key line.
#pragma once

#include "install_script.h"

#include <string>

// Field 0: the section's header line. References in the lines are expanded. Every supported key
// line is created and logged; values go to the key of the last key line. Fails when the script
// cannot be read again or a key or value could not be written (all lines are still tried).
int CreateRegistryAction(InstallScript& script, const ActionFields& fields);

// Field 1: the section's header line (field 0 is not read). A key line removes that key with
// everything below it; any other line removes the value of that name from the parent of the last
// key line. Fails only when the script cannot be read again.
int DeleteRegistryAction(InstallScript& script, const ActionFields& fields);
