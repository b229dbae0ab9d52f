// The memory watch table under any sequence of allocations, releases, writes and guard damage,
// against a host basic suite that hands out heap blocks: the table lists exactly the recorded live
// blocks in order, every message is the one due, and every block goes back to the host.
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "memory_watch.h"

namespace {

struct FakeHost {
  static inline std::map<void*, std::size_t> blocks;  // handed out and not freed
  static inline bool fail = false;
  static inline std::vector<std::string> said;

  static SPErr HOSTAPI Allocate(std::size_t size, void** block) {
    if (fail) return kMemFullErr;
    *block = std::malloc(size);
    if (*block) blocks[*block] = size;
    return *block ? 0 : kMemFullErr;
  }
  static SPErr HOSTAPI Free(void* block) {
    if (block) {
      FUZZ_CHECK(blocks.erase(block) == 1);  // only blocks it handed out, once
      std::free(block);
    }
    return 0;
  }
  static void Say(const char* text) { said.push_back(text); }
};

struct Live {
  unsigned char* p;
  std::size_t n;
  bool recorded;
  bool frontDamaged;
  bool backDamaged;
};

// Reads the input as a stream of bytes; zeros once it is used up.
struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  bool More() const { return at < size; }
  std::uint8_t Next() { return at < size ? data[at++] : 0; }
};

using Said = std::vector<std::string>;

void CheckTable(const MemoryWatch& watch, const std::vector<Live>& live) {
  int i = 0;
  for (const Live& block : live) {
    if (!block.recorded) continue;
    FUZZ_CHECK(i < watch.Count());
    FUZZ_CHECK(watch.Address(i) == block.p);
    FUZZ_CHECK(watch.Size(i) == static_cast<std::int32_t>(block.n + MemoryWatch::kOverhead));
    ++i;
  }
  FUZZ_CHECK(watch.Count() == i);
  for (; i < MemoryWatch::kEntries; ++i) FUZZ_CHECK(watch.Address(i) == nullptr && watch.Size(i) == 0);
}

// The first byte picks the overflow reporting; with kReportOnce, how many blocks are unrecorded.
MemoryWatch::Overflow gOverflow;
std::size_t gUnrecorded;

void Release(MemoryWatch& watch, SPBasicSuite& basic, std::vector<Live>& live, std::size_t index) {
  const Live block = live[index];
  Said due;
  if (block.frontDamaged) due.push_back("MW:BAD SIGNATURE AT BEGINNING!\n");
  const bool quiet = !block.recorded && gOverflow == MemoryWatch::Overflow::kReportOnce;
  if (quiet)
    --gUnrecorded;
  else if (!block.recorded)
    due.push_back("MW:NO SIZE!\n");
  else if (block.backDamaged)
    due.push_back("MW:BAD SIGNATURE AT END!\n");
  if (!block.recorded && !quiet) due.push_back(watch.Count() == 0 ? "MW:EMPTY!\n" : "MW:NOT FOUND!\n");
  FakeHost::said.clear();
  watch.Release(block.p, &basic);
  FUZZ_CHECK(FakeHost::said == due);
  FUZZ_CHECK(FakeHost::blocks.count(block.p - 4) == 0);
  live.erase(live.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakeHost::blocks.clear();
  FakeHost::fail = false;
  FakeHost::said.clear();
  SPBasicSuite basic{};
  basic.AllocateBlock = FakeHost::Allocate;
  basic.FreeBlock = FakeHost::Free;
  std::unique_ptr<MemoryWatch> watch(new MemoryWatch);
  std::memset(static_cast<void*>(watch.get()), 0x5A, sizeof(MemoryWatch));  // Start must clear it all
  Reader in{data, size};
  gOverflow = in.Next() % 2 ? MemoryWatch::Overflow::kReportOnce : MemoryWatch::Overflow::kReportEach;
  gUnrecorded = 0;
  watch->Start(FakeHost::Say, gOverflow);

  std::vector<Live> live;
  while (in.More()) {
    const std::uint8_t op = in.Next();
    FakeHost::said.clear();
    switch (op % 8) {
      case 0:
      case 1: {  // allocate; some runs fill the table
        const int count = op % 8 == 0 ? 1 : 1 + in.Next() * 2;
        for (int k = 0; k < count; ++k) {
          const std::size_t n = in.Next() % 64;
          const bool full = watch->Count() == MemoryWatch::kEntries;
          FakeHost::said.clear();
          unsigned char* p = static_cast<unsigned char*>(watch->Allocate(n, &basic));
          FUZZ_CHECK(p != nullptr);
          FUZZ_CHECK(FakeHost::blocks.count(p - 4) == 1 &&
                     FakeHost::blocks[p - 4] == n + MemoryWatch::kOverhead);
          for (std::size_t b = 0; b < n + MemoryWatch::kOverhead; ++b)
            FUZZ_CHECK((p - 4)[b] == MemoryWatch::kFill);
          const bool due = full && (gOverflow == MemoryWatch::Overflow::kReportEach || gUnrecorded == 0);
          FUZZ_CHECK(FakeHost::said == (due ? Said{"MW:MEMCHECK FULL!\n"} : Said{}));
          if (full) ++gUnrecorded;
          live.push_back({p, n, !full, false, false});
        }
        break;
      }
      case 2: {  // the host refuses, or the size is beyond what it can be asked for, or no suite
        const int which = in.Next() % 3;
        const std::size_t count = FakeHost::blocks.size();
        int code = 0;
        FakeHost::fail = which == 0;
        try {
          watch->Allocate(which == 1 ? SIZE_MAX - 2 : 16, which == 2 ? nullptr : &basic);
        } catch (const HostException& e) {
          code = e.code;
        }
        FakeHost::fail = false;
        FUZZ_CHECK(code == (which == 2 ? kParamErr : kMemFullErr));
        FUZZ_CHECK(FakeHost::blocks.size() == count && FakeHost::said.empty());
        break;
      }
      case 3:
      case 4:  // release a live block
        if (!live.empty()) Release(*watch, basic, live, in.Next() % live.size());
        break;
      case 5: {  // the caller uses its bytes, which must not be reported
        if (live.empty()) break;
        Live& block = live[in.Next() % live.size()];
        if (block.n > 0) std::memset(block.p, in.Next(), block.n);
        break;
      }
      case 6: {  // the caller writes just outside its bytes
        if (live.empty()) break;
        Live& block = live[in.Next() % live.size()];
        const std::uint8_t where = in.Next();
        const std::uint8_t byte = in.Next();
        if (byte == MemoryWatch::kFill) break;
        if (where & 1) {
          block.p[-1 - (where >> 1) % 4] = byte;
          block.frontDamaged = true;
        } else {
          block.p[block.n + (where >> 1) % 4] = byte;
          block.backDamaged = true;
        }
        break;
      }
      default:  // releasing nothing goes to the host as it is
        watch->Release(nullptr, &basic);
        FUZZ_CHECK(FakeHost::said.empty());
        break;
    }
    CheckTable(*watch, live);
  }

  // Everything back: the table is empty, the final check is silent, the host has all its blocks.
  while (!live.empty()) Release(*watch, basic, live, live.size() - 1);
  CheckTable(*watch, live);
  FakeHost::said.clear();
  watch->FinalCheck();
  FUZZ_CHECK(FakeHost::said.empty());
  FUZZ_CHECK(FakeHost::blocks.empty());
  return 0;
}
