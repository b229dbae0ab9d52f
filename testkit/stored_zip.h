// A zip archive of stored (uncompressed) members, as a dictionary extension may be packed: what
// tests put in a per-user dictionaries folder. Its CRC-32 is its own, so that the reader under
// test checks against an independent one.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

inline std::uint32_t StoredZipCrc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members) {
  auto put = [](std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  };
  std::string archive, directory;
  for (const auto& [name, data] : members) {
    std::string common;  // version, flags, method, time and date, CRC, sizes, name and extra lengths
    put(common, 20, 2), put(common, 0, 2), put(common, 0, 2), put(common, 0, 4);
    put(common, StoredZipCrc32(data), 4), put(common, data.size(), 4), put(common, data.size(), 4);
    put(common, name.size(), 2), put(common, 0, 2);
    const std::uint32_t offset = archive.size();
    put(archive, 0x04034b50, 4), archive += common + name + data;
    put(directory, 0x02014b50, 4), put(directory, 20, 2), directory += common;
    put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 4);
    put(directory, offset, 4), directory += name;
  }
  std::string end;
  put(end, 0x06054b50, 4), put(end, 0, 4), put(end, members.size(), 2), put(end, members.size(), 2);
  put(end, directory.size(), 4), put(end, archive.size(), 4), put(end, 0, 2);
  return archive + directory + end;
}
