// Reads a plug-in's PiPL resource the way the host does on Windows: a reserved word, the PiPL
// version, the property count, then the properties one after another (vendor, key, id, data
// length, data padded to 4 bytes; integers little-endian, four-character codes as their value).
//
// Platform-neutral: the loader hands it the resource's bytes.
#pragma once

#include <cstddef>
#include <string>

#include "host_interface.h"

enum class PiplEntry {
  kFound,      // name holds the entry point's name
  kMissing,    // a well-formed PiPL without the property
  kMalformed,  // the resource ends inside a property, or the property's name is empty or unterminated
};

// Looks for the property vendor '8BIM' with the given key (the entry property of one
// architecture) and takes its data up to the first NUL as the entry point's name. Every length is
// checked against size: bytes that lie about their lengths give kMalformed, never a read beyond
// the resource.
PiplEntry FindEntryName(const unsigned char* data, std::size_t size, uint32 key, std::string& name);
