#include "zip_archive.h"

#include <array>

namespace {

std::uint32_t Read16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t Read32(const std::string& b, std::size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

constexpr std::uint32_t kEndSignature = 0x06054b50, kEntrySignature = 0x02014b50,
                        kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22, kEntrySize = 46, kLocalSize = 30;

// Reads bits least significant first, as deflate packs them.
class BitReader {
 public:
  BitReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  bool Bits(int count, unsigned& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
      if (position_ >= size_ * 8) return false;
      value |= ((data_[position_ / 8] >> (position_ % 8)) & 1u) << i;
      ++position_;
    }
    return true;
  }
  void AlignToByte() { position_ = (position_ + 7) / 8 * 8; }
  std::size_t BytePosition() const { return position_ / 8; }
  void SkipBytes(std::size_t count) { position_ += count * 8; }
  const unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// A canonical Huffman code: how many codes of each length, and the symbols in code order.
struct Huffman {
  std::array<unsigned short, 16> counts{};
  std::array<unsigned short, 320> symbols{};
};

// False for an over-subscribed set of lengths; an incomplete one decodes what it has.
bool Build(Huffman& h, const unsigned char* lengths, int n) {
  h.counts.fill(0);
  for (int s = 0; s < n; ++s) ++h.counts[lengths[s]];
  h.counts[0] = 0;
  int left = 1;
  for (int len = 1; len < 16; ++len) {
    left = left * 2 - h.counts[len];
    if (left < 0) return false;
  }
  std::array<unsigned short, 16> offsets{};
  for (int len = 1; len < 15; ++len) offsets[len + 1] = offsets[len] + h.counts[len];
  for (int s = 0; s < n; ++s)
    if (lengths[s]) h.symbols[offsets[lengths[s]]++] = static_cast<unsigned short>(s);
  return true;
}

bool Decode(BitReader& in, const Huffman& h, int& symbol) {
  int code = 0, first = 0, index = 0;
  for (int len = 1; len < 16; ++len) {
    unsigned bit;
    if (!in.Bits(1, bit)) return false;
    code |= static_cast<int>(bit);
    int count = h.counts[len];
    if (code - count < first) {
      symbol = h.symbols[index + (code - first)];
      return true;
    }
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return false;
}

constexpr unsigned short kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                            31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr unsigned char kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr unsigned short kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                              33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                              1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr unsigned char kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                              6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool InflateCodes(BitReader& in, const Huffman& lengths, const Huffman& distances, std::string& out,
                  std::size_t maxSize) {
  for (;;) {
    int symbol;
    if (!Decode(in, lengths, symbol)) return false;
    if (symbol < 256) {
      if (out.size() >= maxSize) return false;
      out += static_cast<char>(symbol);
      continue;
    }
    if (symbol == 256) return true;
    symbol -= 257;
    if (symbol >= 29) return false;
    unsigned extra;
    if (!in.Bits(kLengthExtra[symbol], extra)) return false;
    std::size_t length = kLengthBase[symbol] + extra;
    int code;
    if (!Decode(in, distances, code) || code >= 30) return false;
    if (!in.Bits(kDistanceExtra[code], extra)) return false;
    std::size_t distance = kDistanceBase[code] + extra;
    if (distance > out.size() || length > maxSize - out.size()) return false;
    for (std::size_t i = 0; i < length; ++i) out += out[out.size() - distance];
  }
}

bool FixedCodes(Huffman& lengths, Huffman& distances) {
  unsigned char l[288];
  for (int s = 0; s < 288; ++s) l[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  unsigned char d[30];
  for (unsigned char& x : d) x = 5;
  return Build(lengths, l, 288) && Build(distances, d, 30);
}

bool DynamicCodes(BitReader& in, Huffman& lengths, Huffman& distances) {
  static constexpr unsigned char kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                               11, 4,  12, 3, 13, 2, 14, 1, 15};
  unsigned nlen, ndist, ncode;
  if (!in.Bits(5, nlen) || !in.Bits(5, ndist) || !in.Bits(4, ncode)) return false;
  nlen += 257, ndist += 1, ncode += 4;
  if (nlen > 286 || ndist > 30) return false;
  unsigned char l[320] = {};
  for (unsigned i = 0; i < ncode; ++i) {
    unsigned v;
    if (!in.Bits(3, v)) return false;
    l[kOrder[i]] = static_cast<unsigned char>(v);
  }
  Huffman codeLengths;
  if (!Build(codeLengths, l, 19)) return false;
  unsigned index = 0;
  while (index < nlen + ndist) {
    int symbol;
    if (!Decode(in, codeLengths, symbol)) return false;
    if (symbol < 16) {
      l[index++] = static_cast<unsigned char>(symbol);
      continue;
    }
    unsigned char value = 0;
    unsigned repeat;
    if (symbol == 16) {
      if (index == 0 || !in.Bits(2, repeat)) return false;
      value = l[index - 1], repeat += 3;
    } else if (symbol == 17) {
      if (!in.Bits(3, repeat)) return false;
      repeat += 3;
    } else {
      if (!in.Bits(7, repeat)) return false;
      repeat += 11;
    }
    if (index + repeat > nlen + ndist) return false;
    while (repeat--) l[index++] = value;
  }
  if (l[256] == 0) return false;  // no end-of-block code
  return Build(lengths, l, static_cast<int>(nlen)) && Build(distances, l + nlen, static_cast<int>(ndist));
}

}  // namespace

bool Inflate(const unsigned char* data, std::size_t size, std::string& out, std::size_t maxSize) {
  BitReader in(data, size);
  std::string result;
  unsigned last, type;
  do {
    if (!in.Bits(1, last) || !in.Bits(2, type)) return false;
    if (type == 0) {
      in.AlignToByte();
      std::size_t at = in.BytePosition();
      if (at + 4 > size) return false;
      std::size_t length = data[at] | data[at + 1] << 8;
      std::size_t check = data[at + 2] | data[at + 3] << 8;
      if (length != (~check & 0xFFFF) || at + 4 + length > size || length > maxSize - result.size())
        return false;
      result.append(reinterpret_cast<const char*>(data + at + 4), length);
      in.SkipBytes(4 + length);
    } else if (type == 1 || type == 2) {
      Huffman lengths, distances;
      if (!(type == 1 ? FixedCodes(lengths, distances) : DynamicCodes(in, lengths, distances))) return false;
      if (!InflateCodes(in, lengths, distances, result, maxSize)) return false;
    } else {
      return false;
    }
  } while (!last);
  out = std::move(result);
  return true;
}

std::uint32_t Crc32(const std::string& data) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : data) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

ZipArchive::ZipArchive(std::string bytes) : bytes_(std::move(bytes)) {
  ReadDirectory();
}

void ZipArchive::ReadDirectory() {
  if (bytes_.size() < kEndSize) return;
  // The end record is last, after a comment of at most 65535 bytes.
  std::size_t end = bytes_.size() - kEndSize;
  std::size_t lowest = end > 65535 ? end - 65535 : 0;
  while (Read32(bytes_, end) != kEndSignature) {
    if (end == lowest) return;
    --end;
  }
  std::size_t count = Read16(bytes_, end + 10);
  std::size_t at = Read32(bytes_, end + 16);
  for (std::size_t i = 0; i < count; ++i) {
    if (at > bytes_.size() || bytes_.size() - at < kEntrySize || Read32(bytes_, at) != kEntrySignature)
      return;
    std::size_t nameLength = Read16(bytes_, at + 28);
    std::size_t skip = kEntrySize + nameLength + Read16(bytes_, at + 30) + Read16(bytes_, at + 32);
    if (bytes_.size() - at < kEntrySize + nameLength) return;
    members_.push_back(Member{bytes_.substr(at + kEntrySize, nameLength),
                              static_cast<std::uint16_t>(Read16(bytes_, at + 10)),
                              static_cast<std::uint16_t>(Read16(bytes_, at + 8)), Read32(bytes_, at + 16),
                              Read32(bytes_, at + 20), Read32(bytes_, at + 24), Read32(bytes_, at + 42)});
    at += skip;
  }
}

std::vector<std::string> ZipArchive::Names() const {
  std::vector<std::string> names;
  for (const Member& m : members_) names.push_back(m.name);
  return names;
}

bool ZipArchive::Extract(const std::string& name, std::string& out) const {
  for (const Member& m : members_) {
    if (m.name != name) continue;
    if (m.flags & 1) return false;  // encrypted
    std::size_t at = m.localOffset;
    if (at > bytes_.size() || bytes_.size() - at < kLocalSize || Read32(bytes_, at) != kLocalSignature)
      return false;
    std::size_t start = at + kLocalSize + Read16(bytes_, at + 26) + Read16(bytes_, at + 28);
    if (start > bytes_.size() || bytes_.size() - start < m.compressedSize || m.size > kMaxZipMemberSize)
      return false;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes_.data()) + start;
    std::string result;
    if (m.method == 0) {
      if (m.compressedSize != m.size) return false;
      result.assign(reinterpret_cast<const char*>(data), m.size);
    } else if (m.method != 8 || !Inflate(data, m.compressedSize, result, m.size) || result.size() != m.size) {
      return false;
    }
    if (Crc32(result) != m.crc) return false;
    out = std::move(result);
    return true;
  }
  return false;
}
