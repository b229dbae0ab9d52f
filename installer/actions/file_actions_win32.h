// The native-call layer of the file actions: copying a file into place through the handle it is
// written by, with the system's own calls where this Windows generation's Win32 layer has none.
#pragma once

#include <string>

// Copies from to a new file beside to and, once it is whole, renames it to to (replacing a file
// there only when replace is set), then gives it the source's attributes and last-write time. On
// failure the system's error is set, no passing file is left and to is as it was; placing tells
// whether the copy was whole and only putting it in place failed.
bool CopyIntoPlace(const std::string& from, const std::string& to, bool replace, bool& placing);
