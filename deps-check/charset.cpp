#include "charset.h"

#include <cstdint>

namespace {

// The code points of bytes 0xA0 to 0xFF in ISO 8859-2.
const std::uint16_t kLatin2[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The bytes of ISO 8859-15 that differ from ISO 8859-1, and their code points.
const struct {
  unsigned char byte;
  std::uint16_t code;
} kLatin9[] = {{0xA4, 0x20AC}, {0xA6, 0x0160}, {0xA8, 0x0161}, {0xB4, 0x017D},
               {0xB8, 0x017E}, {0xBC, 0x0152}, {0xBD, 0x0153}, {0xBE, 0x0178}};

enum class Set { kUtf8, kLatin1, kLatin2, kLatin9, kUnknown };

Set SetOf(const std::string& name) {
  std::string key;
  for (char c : name) {
    if (c != '-' && c != '_') key += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  }
  if (key == "UTF8") return Set::kUtf8;
  if (key == "ISO88591") return Set::kLatin1;
  if (key == "ISO88592") return Set::kLatin2;
  if (key == "ISO885915") return Set::kLatin9;
  return Set::kUnknown;
}

std::uint32_t FromByte(Set set, unsigned char byte) {
  if (set == Set::kLatin2 && byte >= 0xA0) return kLatin2[byte - 0xA0];
  if (set == Set::kLatin9) {
    for (const auto& d : kLatin9) {
      if (d.byte == byte) return d.code;
    }
  }
  return byte;
}

// The byte for code in the 8-bit set, or -1 when the set has none.
int ToByte(Set set, std::uint32_t code) {
  for (int byte = 0; byte < 256; ++byte) {
    if (FromByte(set, static_cast<unsigned char>(byte)) == code) return byte;
  }
  return -1;
}

// Reads one UTF-8 character at text[at]; false on an invalid or cut sequence.
bool NextCode(const std::string& text, std::size_t& at, std::uint32_t& code) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80         ? 1
                     : (lead >> 5) == 6  ? 2
                     : (lead >> 4) == 14 ? 3
                     : (lead >> 3) == 30 ? 4
                                         : 0;
  if (length == 0 || text.size() - at < std::size_t(length)) return false;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[at + i]);
    if ((c & 0xC0) != 0x80) return false;
    code = (code << 6) | (c & 0x3F);
  }
  at += length;
  return true;
}

void PutCode(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string ConvertText(const std::string& text, const std::string& from, const std::string& to) {
  const Set in = SetOf(from), out = SetOf(to);
  if (from == to || in == Set::kUnknown || out == Set::kUnknown) return text;
  std::string result;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t code = 0;
    if (in == Set::kUtf8) {
      if (!NextCode(text, at, code)) break;
    } else {
      code = FromByte(in, static_cast<unsigned char>(text[at++]));
    }
    if (out == Set::kUtf8) {
      PutCode(result, code);
    } else {
      const int byte = ToByte(out, code);
      if (byte < 0) break;
      result += char(byte);
    }
  }
  return result;
}
