#include "ansi_text.h"

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves unassigned are kept
// as the C1 controls of the same value, as Windows itself converts them.
const unsigned short kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned CodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

void AppendUtf8(unsigned code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The Windows-1252 byte of code, or -1 when there is none.
int AnsiByte(unsigned code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] == code) return static_cast<int>(0x80 + i);
  }
  return -1;
}

constexpr unsigned kMalformed = 0xFFFFFFFFu;

// Decodes the character at utf8[at] into code (kMalformed for a broken or overlong sequence)
// and returns how many bytes it takes: a broken sequence takes one byte, so decoding goes on.
std::size_t DecodeOne(const std::string& utf8, std::size_t at, unsigned& code) {
  const unsigned char lead = static_cast<unsigned char>(utf8[at]);
  code = lead;
  if (lead < 0x80) return 1;
  std::size_t extra = 0;
  unsigned least = 0;
  if (lead >= 0xC0 && lead < 0xE0) {
    extra = 1, least = 0x80, code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    extra = 2, least = 0x800, code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead < 0xF8) {
    extra = 3, least = 0x10000, code = lead & 0x07u;
  } else {
    code = kMalformed;
    return 1;
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    const unsigned char next = at + k < utf8.size() ? static_cast<unsigned char>(utf8[at + k]) : 0;
    if ((next & 0xC0) != 0x80) {
      code = kMalformed;
      return 1;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < least) code = kMalformed;
  return extra + 1;
}

}  // namespace

std::string AnsiToUtf8(const std::string& ansi) {
  std::string utf8;
  for (const char c : ansi) AppendUtf8(CodePoint(static_cast<unsigned char>(c)), utf8);
  return utf8;
}

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) {
  ansi.clear();
  bool exact = true;
  for (std::size_t at = 0; at < utf8.size();) {
    unsigned code = 0;
    at += DecodeOne(utf8, at, code);
    const int byte = code == kMalformed ? -1 : AnsiByte(code);
    if (byte < 0) {
      ansi += '?';
      exact = false;
    } else {
      ansi += static_cast<char>(byte);
    }
  }
  return exact;
}
