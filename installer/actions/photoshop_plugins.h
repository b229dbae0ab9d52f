// Where a 64-bit Photoshop looks for plug-ins, for the script variable PhotoshopPlugins.
#pragma once

#include <string>

// The plug-ins folder of the newest Photoshop in the 64-bit registry view: the default value of
// HKLM\SOFTWARE\Adobe\Photoshop\<version>\PluginPath, versions compared as numbers (180.0 is
// newer than 9.0). Keys that are not version numbers, and versions whose PluginPath is missing,
// empty or names no folder, are passed over. Without one, the plug-ins folder that every
// CC-generation version scans: <Common Files>\Adobe\Plug-Ins\CC, with the 64-bit Common Files
// folder also when asked from a 32-bit process. No trailing backslash; "" only when even the
// Common Files folder is unknown.
std::string PhotoshopPluginsFolder();
