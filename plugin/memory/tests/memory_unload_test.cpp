// The final check of the allocation operators, run for real when a module is unloaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "host_interface.h"

namespace {

std::vector<std::string> gDebugger;
std::set<void*> gBlocks;

LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (text && std::strncmp(text, "MW:", 3) == 0) gDebugger.push_back(text);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

SPErr HOSTAPI Allocate(std::size_t size, void** block) {
  *block = std::malloc(size);
  gBlocks.insert(*block);
  return 0;
}

SPErr HOSTAPI Free(void* block) {
  gBlocks.erase(block);
  std::free(block);
  return 0;
}

TEST(MemoryWatchUnload, ReportsEveryBlockStillRecorded) {
  SPBasicSuite basic{};
  basic.AllocateBlock = Allocate;
  basic.FreeBlock = Free;
  HMODULE module = LoadLibraryA(LEAKY_MODULE);
  ASSERT_NE(module, nullptr) << LEAKY_MODULE;
  using KeepBlocks = void (*)(SPBasicSuite*, int);
  auto keep = reinterpret_cast<KeepBlocks>(reinterpret_cast<void*>(GetProcAddress(module, "KeepBlocks")));
  ASSERT_NE(keep, nullptr);

  PVOID handler = AddVectoredExceptionHandler(1, CatchDebugText);
  keep(&basic, 3);
  EXPECT_EQ(gBlocks.size(), 3u);
  FreeLibrary(module);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(gDebugger, (std::vector<std::string>{"MW:INDEX NOT ZERO!\n", "MW:MEMORY NOT ZERO!\n",
                                                 "MW:MEMORY NOT ZERO!\n", "MW:MEMORY NOT ZERO!\n"}));
  for (void* block : gBlocks) std::free(block);
}

}  // namespace
