#include "memory_watch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// A host basic suite that only hands out memory, and a debugger that keeps what it was sent.
struct FakeBasic {
  static inline std::map<void*, std::size_t> blocks;
  static inline std::vector<void*> freed;
  static inline bool fail = false;
  static inline std::vector<std::string> debugger;

  static SPErr HOSTAPI Allocate(std::size_t size, void** block) {
    if (fail) return -108;
    *block = std::malloc(size);
    blocks[*block] = size;
    return 0;
  }
  static SPErr HOSTAPI Free(void* block) {
    freed.push_back(block);
    if (block) {
      blocks.erase(block);
      std::free(block);
    }
    return 0;
  }
  static void Say(const char* text) { debugger.push_back(text); }
};

class MemoryWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeBasic::blocks.clear();
    FakeBasic::freed.clear();
    FakeBasic::debugger.clear();
    FakeBasic::fail = false;
    basic.AllocateBlock = FakeBasic::Allocate;
    basic.FreeBlock = FakeBasic::Free;
    watch.Start(FakeBasic::Say);
  }
  void TearDown() override {
    for (auto& block : FakeBasic::blocks) std::free(block.first);
  }
  using Said = std::vector<std::string>;

  SPBasicSuite basic{};
  MemoryWatch watch;
};

TEST_F(MemoryWatchTest, BlockHasGuardsFillAndIsRecorded) {
  unsigned char* p = static_cast<unsigned char*>(watch.Allocate(10, &basic));
  ASSERT_EQ(FakeBasic::blocks.size(), 1u);
  unsigned char* block = static_cast<unsigned char*>(FakeBasic::blocks.begin()->first);
  EXPECT_EQ(FakeBasic::blocks.begin()->second, 18u);
  EXPECT_EQ(p, block + 4);
  for (int i = 0; i < 18; ++i) EXPECT_EQ(block[i], 0x41) << i;
  ASSERT_EQ(watch.Count(), 1);
  EXPECT_EQ(watch.Address(0), p);
  EXPECT_EQ(watch.Size(0), 18);

  watch.Release(p, &basic);
  EXPECT_EQ(FakeBasic::freed, std::vector<void*>{block});
  EXPECT_EQ(watch.Count(), 0);
  EXPECT_EQ(watch.Address(0), nullptr);
  EXPECT_TRUE(FakeBasic::debugger.empty());
}

TEST_F(MemoryWatchTest, OverrunsAreReportedAndTheBlockIsStillReleased) {
  char* p = static_cast<char*>(watch.Allocate(10, &basic));
  p[10] = 'x';
  watch.Release(p, &basic);
  EXPECT_EQ(FakeBasic::debugger, Said{"MW:BAD SIGNATURE AT END!\n"});
  EXPECT_TRUE(FakeBasic::blocks.empty());

  FakeBasic::debugger.clear();
  p = static_cast<char*>(watch.Allocate(0, &basic));
  p[-1] = 'x';
  watch.Release(p, &basic);
  EXPECT_EQ(FakeBasic::debugger, Said{"MW:BAD SIGNATURE AT BEGINNING!\n"});
  EXPECT_TRUE(FakeBasic::blocks.empty());
}

TEST_F(MemoryWatchTest, FullTableHandsOutUnrecordedBlocksAndRecoversInOrder) {
  std::vector<void*> recorded;
  for (int i = 0; i < MemoryWatch::kEntries; ++i) recorded.push_back(watch.Allocate(i, &basic));
  EXPECT_TRUE(FakeBasic::debugger.empty());
  void* extra = watch.Allocate(5, &basic);
  EXPECT_EQ(FakeBasic::debugger, Said{"MW:MEMCHECK FULL!\n"});
  EXPECT_EQ(watch.Count(), 500);

  // Releasing a recorded block keeps the others in their order; the next block is recorded again.
  watch.Release(recorded[3], &basic);
  EXPECT_EQ(watch.Count(), 499);
  EXPECT_EQ(watch.Address(2), recorded[2]);
  EXPECT_EQ(watch.Address(3), recorded[4]);
  EXPECT_EQ(watch.Size(3), 4 + 8);
  EXPECT_EQ(watch.Address(498), recorded[499]);
  EXPECT_EQ(watch.Address(499), nullptr);
  void* again = watch.Allocate(1, &basic);
  EXPECT_EQ(watch.Address(499), again);

  // The unrecorded block: its size is unknown and it is not found, yet it goes back to the host.
  FakeBasic::debugger.clear();
  watch.Release(extra, &basic);
  EXPECT_EQ(FakeBasic::debugger, (Said{"MW:NO SIZE!\n", "MW:NOT FOUND!\n"}));
  EXPECT_EQ(FakeBasic::freed.back(), static_cast<char*>(extra) - 4);

  recorded.erase(recorded.begin() + 3);
  for (void* p : recorded) watch.Release(p, &basic);
  watch.Release(again, &basic);
  EXPECT_EQ(watch.Count(), 0);
  EXPECT_TRUE(FakeBasic::blocks.empty());
}

TEST_F(MemoryWatchTest, AnOverflowReportedOnceIsReleasedQuietly) {
  watch.Start(FakeBasic::Say, MemoryWatch::Overflow::kReportOnce);
  std::vector<void*> recorded, extra;
  for (int i = 0; i < MemoryWatch::kEntries; ++i) recorded.push_back(watch.Allocate(4, &basic));
  for (int i = 0; i < 3; ++i) extra.push_back(watch.Allocate(4, &basic));
  EXPECT_EQ(FakeBasic::debugger, Said{"MW:MEMCHECK FULL!\n"});

  // The unrecorded blocks go back without a word, but for a damaged front guard.
  static_cast<unsigned char*>(extra[0])[-1] = 0;
  for (void* p : extra) watch.Release(p, &basic);
  EXPECT_EQ(FakeBasic::debugger, (Said{"MW:MEMCHECK FULL!\n", "MW:BAD SIGNATURE AT BEGINNING!\n"}));

  // Once they are all back, a block the watch never saw is reported again.
  unsigned char* foreign = static_cast<unsigned char*>(std::malloc(12));
  FakeBasic::blocks[foreign] = 12;
  std::fill(foreign, foreign + 12, 0x41);
  FakeBasic::debugger.clear();
  watch.Release(foreign + 4, &basic);
  EXPECT_EQ(FakeBasic::debugger, (Said{"MW:NO SIZE!\n", "MW:NOT FOUND!\n"}));
  for (void* p : recorded) watch.Release(p, &basic);
  EXPECT_EQ(watch.Count(), 0);
  EXPECT_TRUE(FakeBasic::blocks.empty());
}

TEST_F(MemoryWatchTest, ReleaseOfNullAndOfUnknownBlocks) {
  watch.Release(nullptr, &basic);
  EXPECT_EQ(FakeBasic::freed, std::vector<void*>{nullptr});
  EXPECT_TRUE(FakeBasic::debugger.empty());

  // A block the watch never saw, with an empty table.
  unsigned char* foreign = static_cast<unsigned char*>(std::malloc(12));
  FakeBasic::blocks[foreign] = 12;
  std::fill(foreign, foreign + 12, 0x41);
  watch.Release(foreign + 4, &basic);
  EXPECT_EQ(FakeBasic::debugger, (Said{"MW:NO SIZE!\n", "MW:EMPTY!\n"}));
  EXPECT_TRUE(FakeBasic::blocks.empty());
}

TEST_F(MemoryWatchTest, AllocationFailuresThrowTheirCodes) {
  try {
    watch.Allocate(4, nullptr);
    FAIL();
  } catch (const HostException& e) {
    EXPECT_EQ(e.code, -50);
  }
  FakeBasic::fail = true;
  try {
    watch.Allocate(4, &basic);
    FAIL();
  } catch (const HostException& e) {
    EXPECT_EQ(e.code, -108);
  }
  FakeBasic::fail = false;
  EXPECT_THROW(watch.Allocate(static_cast<std::size_t>(-4), &basic), HostException);
  EXPECT_EQ(watch.Count(), 0);

  // Without a basic suite a release cannot hand the block back.
  void* p = watch.Allocate(4, &basic);
  watch.Release(p, nullptr);
  EXPECT_EQ(watch.Count(), 0);
  EXPECT_EQ(FakeBasic::blocks.size(), 1u);
}

TEST_F(MemoryWatchTest, FinalCheckReportsWhatIsLeft) {
  watch.FinalCheck();
  EXPECT_TRUE(FakeBasic::debugger.empty());
  for (int i = 0; i < 3; ++i) watch.Allocate(8, &basic);
  watch.FinalCheck();
  EXPECT_EQ(FakeBasic::debugger, (Said{"MW:INDEX NOT ZERO!\n", "MW:MEMORY NOT ZERO!\n",
                                       "MW:MEMORY NOT ZERO!\n", "MW:MEMORY NOT ZERO!\n"}));
}

}  // namespace
