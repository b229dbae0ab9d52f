// A module with the plug-in's allocation operators that keeps what it allocates, so that its
// final check has something to report when it is unloaded.
#include "host_suites.h"

int* gKept[16];

extern "C" __declspec(dllexport) void KeepBlocks(SPBasicSuite* basic, int count) {
  SetHostMessage(basic, nullptr);
  for (int i = 0; i < count && i < 16; ++i) gKept[i] = new int(i);
}
