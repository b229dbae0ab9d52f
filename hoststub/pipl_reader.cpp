#include "pipl_reader.h"

#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 10;    // reserved word, version, count
constexpr std::size_t kPropertyHead = 16;  // vendor, key, id, length

uint32 Long(const unsigned char* at) {
  return uint32(at[0]) | (uint32(at[1]) << 8) | (uint32(at[2]) << 16) | (uint32(at[3]) << 24);
}

}  // namespace

PiplEntry FindEntryName(const unsigned char* data, std::size_t size, uint32 key, std::string& name) {
  if (data == nullptr || size < kHeaderSize) return PiplEntry::kMalformed;
  const uint32 count = Long(data + 6);
  std::size_t at = kHeaderSize;
  for (uint32 i = 0; i < count; ++i) {
    if (size - at < kPropertyHead) return PiplEntry::kMalformed;
    const uint32 vendor = Long(data + at);
    const uint32 propertyKey = Long(data + at + 4);
    const std::size_t length = Long(data + at + 12);
    at += kPropertyHead;
    if (length > size - at) return PiplEntry::kMalformed;
    if (vendor == kPhotoshopVendor && propertyKey == key) {
      const void* end = std::memchr(data + at, 0, length);
      if (end == nullptr || end == data + at) return PiplEntry::kMalformed;
      name.assign(reinterpret_cast<const char*>(data + at),
                  static_cast<const unsigned char*>(end) - (data + at));
      return PiplEntry::kFound;
    }
    // Hosts step over the length rounded up to 4, whether or not it counts the padding; the last
    // property may end without its padding.
    const std::size_t padded = (length + 3) & ~std::size_t(3);
    at += padded < size - at ? padded : size - at;
  }
  return PiplEntry::kMissing;
}
