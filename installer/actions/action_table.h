// The actions an install script can name, one row each.
#pragma once

#include "install_script.h"

// Every action of the install script with its handler.
ActionTable InstallerActions();
