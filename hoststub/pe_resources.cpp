#include "pe_resources.h"

#include <cctype>
#include <cstring>

namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;  // on an entry's name or its target
constexpr std::size_t kResourceDirectory = 2;         // index in the optional header's directories

struct Bytes {
  const unsigned char* data;
  std::size_t size;

  // Whether count bytes start at offset inside the bytes.
  bool Holds(std::size_t offset, std::size_t count) const { return offset <= size && count <= size - offset; }
  std::uint32_t Word(std::size_t at) const { return data[at] | (data[at + 1] << 8); }
  std::uint32_t Long(std::size_t at) const { return Word(at) | (Word(at + 2) << 16); }
};

// The file offset of a relative virtual address of count bytes, through the section holding it.
bool FileOffset(const Bytes& file, std::size_t sections, std::uint32_t sectionCount, std::uint32_t rva,
                std::size_t count, std::size_t& offset) {
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = sections + 40 * std::size_t(i);
    if (!file.Holds(at, 40)) return false;
    const std::uint32_t start = file.Long(at + 12), raw = file.Long(at + 16), pointer = file.Long(at + 20);
    if (rva >= start && rva - start < raw) {
      if (count > raw - (rva - start)) return false;
      offset = std::size_t(pointer) + (rva - start);
      return file.Holds(offset, count);
    }
  }
  return false;
}

// Whether the entry's name, a counted UTF-16 string in the resource section, is type.
bool NameIs(const Bytes& section, std::uint32_t name, const char* type) {
  const std::size_t at = name & ~kSubdirectory;
  if (!section.Holds(at, 2)) return false;
  const std::size_t length = section.Word(at);
  if (length != std::strlen(type) || !section.Holds(at + 2, 2 * length)) return false;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint32_t c = section.Word(at + 2 + 2 * i);
    if (c > 0x7F || std::toupper(int(c)) != std::toupper(static_cast<unsigned char>(type[i]))) return false;
  }
  return true;
}

// The target of the matching entry of the directory at offset (a named type when type is set,
// else the numeric id; the first entry when neither), or false.
bool Entry(const Bytes& section, std::size_t offset, const char* type, std::uint32_t id, bool any,
           std::uint32_t& target) {
  if (!section.Holds(offset, 16)) return false;
  const std::size_t count = section.Word(offset + 12) + section.Word(offset + 14);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + 16 + 8 * i;
    if (!section.Holds(at, 8)) return false;
    const std::uint32_t name = section.Long(at);
    const bool named = (name & kSubdirectory) != 0;
    if (any || (type ? named && NameIs(section, name, type) : !named && name == id)) {
      target = section.Long(at + 4);
      return true;
    }
  }
  return false;
}

// The resource of the named type when type is set, else of the numeric type typeId.
bool Find(const unsigned char* data, std::size_t size, const char* type, std::uint16_t typeId,
          std::uint16_t id, std::string& out) {
  const Bytes file{data, data ? size : 0};
  if (!file.Holds(0, 0x40) || file.Word(0) != 0x5A4D) return false;  // "MZ"
  const std::size_t pe = file.Long(0x3C);
  if (!file.Holds(pe, 24) || file.Long(pe) != 0x00004550) return false;  // "PE\0\0"
  const std::uint32_t sectionCount = file.Word(pe + 6);
  const std::size_t optional = pe + 24, optionalSize = file.Word(pe + 20);
  if (!file.Holds(optional, optionalSize) || optionalSize < 2) return false;
  // The data directories follow the header fields, which are wider in PE32+.
  const std::uint32_t magic = file.Word(optional);
  const std::size_t directories = magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0;
  const std::size_t resources = directories + 8 * kResourceDirectory;
  if (directories == 0 || optionalSize < resources + 8 ||
      file.Long(optional + directories - 4) <= kResourceDirectory)
    return false;
  std::size_t start = 0;
  const std::uint32_t rva = file.Long(optional + resources), length = file.Long(optional + resources + 4);
  const std::size_t sections = optional + optionalSize;
  if (length == 0 || !FileOffset(file, sections, sectionCount, rva, length, start)) return false;

  // Type, name, language: three levels, each but the last pointing at a subdirectory.
  const Bytes section{data + start, length};
  std::uint32_t target = 0;
  if (!Entry(section, 0, type, typeId, false, target) || !(target & kSubdirectory)) return false;
  if (!Entry(section, target & ~kSubdirectory, nullptr, id, false, target) || !(target & kSubdirectory))
    return false;
  if (!Entry(section, target & ~kSubdirectory, nullptr, 0, true, target) || (target & kSubdirectory))
    return false;
  if (!section.Holds(target, 16)) return false;
  std::size_t at = 0;
  const std::uint32_t dataLength = section.Long(target + 4);
  if (!FileOffset(file, sections, sectionCount, section.Long(target), dataLength, at)) return false;
  out.assign(reinterpret_cast<const char*>(data + at), dataLength);
  return true;
}

}  // namespace

bool FindPeResource(const unsigned char* file, std::size_t size, const char* type, std::uint16_t id,
                    std::string& data) {
  return type && Find(file, size, type, 0, id, data);
}

bool FindPeResource(const unsigned char* file, std::size_t size, std::uint16_t type, std::uint16_t id,
                    std::string& data) {
  return Find(file, size, nullptr, type, id, data);
}
