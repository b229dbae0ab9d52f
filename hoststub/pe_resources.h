// Finds a resource in the bytes of a Windows module file (PE32 or PE32+) without loading it, so
// that a program of either architecture can read a module built for the other one.
//
// Platform-neutral: the caller hands it the file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Looks up the resource of the named type (matched as the resource compiler stores it, ignoring
// ASCII case) and numeric id, in the first language listed, and copies its bytes into data.
// Every offset and length is checked against size: a damaged or truncated file gives false,
// never a read beyond the bytes.
bool FindPeResource(const unsigned char* file, std::size_t size, const char* type, std::uint16_t id,
                    std::string& data);
// The same for a resource of a numeric type (5 a dialog, 16 a version, 24 a manifest).
bool FindPeResource(const unsigned char* file, std::size_t size, std::uint16_t type, std::uint16_t id,
                    std::string& data);
