#include "code_page.h"

namespace {
bool g_lead[256];
}

bool IsLeadByte(char byte) {
  return g_lead[static_cast<unsigned char>(byte)];
}

void SetLeadByteRanges(const unsigned char* ranges) {
  for (bool& lead : g_lead) lead = false;
  for (; ranges && (ranges[0] || ranges[1]); ranges += 2)
    for (unsigned byte = ranges[0]; byte <= ranges[1]; ++byte) g_lead[byte] = true;
}
