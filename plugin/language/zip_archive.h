// The members of a zip archive held in memory, as a dictionary extension (.oxt) packs them:
// stored or deflated, neither encrypted nor split. Platform-neutral; any bytes give a defined
// result: an archive that cannot be read has no members, and a member whose data is damaged
// (its CRC-32 differs, its deflate stream is broken) cannot be extracted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A member's data is at most this large once extracted, whatever its header claims.
constexpr std::size_t kMaxZipMemberSize = 256u << 20;

class ZipArchive {
 public:
  explicit ZipArchive(std::string bytes);

  // The members' names as the archive holds them ("dictionaries/de_DE.aff"), in its order.
  std::vector<std::string> Names() const;

  // The data of the first member named name, whole; false, out untouched, when there is none
  // or it cannot be extracted.
  bool Extract(const std::string& name, std::string& out) const;

 private:
  struct Member {
    std::string name;
    std::uint16_t method;
    std::uint16_t flags;
    std::uint32_t crc;
    std::uint32_t compressedSize;
    std::uint32_t size;
    std::uint32_t localOffset;
  };
  void ReadDirectory();

  std::string bytes_;
  std::vector<Member> members_;
};

// Decompresses a raw deflate stream (RFC 1951) into out; false on a broken stream or when the
// result would exceed maxSize.
bool Inflate(const unsigned char* data, std::size_t size, std::string& out, std::size_t maxSize);

// The CRC-32 of zip and PNG.
std::uint32_t Crc32(const std::string& data);
