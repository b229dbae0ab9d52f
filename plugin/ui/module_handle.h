// The module holding the plug-in's resources.
#pragma once

#include <windows.h>

// The module this code is linked into, so that the dialogs work both from the plug-in and from a
// program that links the dialog library.
HINSTANCE PluginModule();
