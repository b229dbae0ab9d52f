#include "lead_bytes.h"

namespace {

bool g_lead[256] = {};
bool g_any = false;

}  // namespace

void SetLeadByteRanges(const unsigned char* ranges, std::size_t count) {
  for (bool& lead : g_lead) lead = false;
  g_any = false;
  for (std::size_t i = 0; ranges != nullptr && i + 1 < count && ranges[i] != 0; i += 2) {
    for (unsigned byte = ranges[i]; byte <= ranges[i + 1] && byte < 256; ++byte) {
      g_lead[byte] = true;
      g_any = true;
    }
  }
}

bool HasLeadBytes() {
  return g_any;
}

bool IsLeadByte(char byte) {
  return g_lead[static_cast<unsigned char>(byte)];
}

std::size_t DoubleBytePrefix(const char* text, std::size_t length, std::size_t maxBytes) {
  std::size_t at = 0;
  while (at < length) {
    const std::size_t bytes = IsLeadByte(text[at]) && at + 1 < length ? 2 : 1;
    if (at + bytes > maxBytes) break;
    at += bytes;
  }
  return at;
}
