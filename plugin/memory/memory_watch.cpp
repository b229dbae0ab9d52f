#include "memory_watch.h"

#include <cstring>

void MemoryWatch::Start(DebugOutput output, Overflow overflow) {
  for (int i = 0; i < kEntries; ++i) {
    addresses_[i] = nullptr;
    sizes_[i] = 0;
  }
  count_ = 0;
  output_ = output;
  overflow_ = overflow;
  unrecorded_ = 0;
}

void MemoryWatch::Say(const char* text) const {
  if (output_) output_(text);
}

void* MemoryWatch::Allocate(std::size_t n, SPBasicSuite* basic) {
  if (!basic) throw HostException{kParamErr};
  // The host takes a 32-bit size and the table keeps one.
  if (n > static_cast<std::size_t>(INT32_MAX) - kOverhead) throw HostException{kMemFullErr};
  const std::size_t total = n + kOverhead;
  void* block = nullptr;
  if (basic->AllocateBlock(total, &block) != 0 || !block) throw HostException{kMemFullErr};
  Record(static_cast<unsigned char*>(block), total);
  return static_cast<unsigned char*>(block) + 4;
}

void MemoryWatch::Record(unsigned char* block, std::size_t total) {
  std::memset(block, kFill, total);
  void* p = block + 4;
  if (count_ == kEntries) {
    if (overflow_ == Overflow::kReportEach || unrecorded_ == 0) Say("MW:MEMCHECK FULL!\n");
    ++unrecorded_;
    return;
  }
  for (int i = 0; i < kEntries; ++i) {
    if (addresses_[i] == p) {
      Say("MW:MEMCHECK AGAIN!\n");
      return;
    }
  }
  addresses_[count_] = p;
  sizes_[count_] = static_cast<std::int32_t>(total);
  ++count_;
}

// Takes entry index (-1: none) out of the table, keeping entries 0..count-1 in use and in
// recording order.
void MemoryWatch::Unrecord(int index) {
  if (count_ == 0) {
    Say("MW:EMPTY!\n");
    return;
  }
  if (index < 0) {
    Say("MW:NOT FOUND!\n");
    return;
  }
  for (int i = index; i + 1 < count_; ++i) {
    addresses_[i] = addresses_[i + 1];
    sizes_[i] = sizes_[i + 1];
  }
  --count_;
  addresses_[count_] = nullptr;
  sizes_[count_] = 0;
}

void MemoryWatch::Release(void* p, SPBasicSuite* basic) {
  if (!p) {
    if (basic) basic->FreeBlock(nullptr);
    return;
  }
  const unsigned char* bytes = static_cast<const unsigned char*>(p);
  // One look through the table: recorded blocks are never of size 0.
  int index = -1;
  for (int i = 0; i < count_ && index < 0; ++i) {
    if (addresses_[i] == p) index = i;
  }
  const std::int32_t size = index < 0 ? 0 : sizes_[index];
  for (int i = -4; i < 0; ++i) {
    if (bytes[i] != kFill) {
      Say("MW:BAD SIGNATURE AT BEGINNING!\n");
      break;
    }
  }
  // Reported once when the table overflowed: a block not found is taken for one of those.
  const bool known = size == 0 && overflow_ == Overflow::kReportOnce && unrecorded_ > 0;
  if (known) {
    --unrecorded_;
  } else if (size == 0) {
    Say("MW:NO SIZE!\n");
  } else {
    const unsigned char* back = bytes + (size - static_cast<std::int32_t>(kOverhead));
    for (int i = 0; i < 4; ++i) {
      if (back[i] != kFill) {
        Say("MW:BAD SIGNATURE AT END!\n");
        break;
      }
    }
  }
  if (!known) Unrecord(index);
  if (basic) basic->FreeBlock(const_cast<unsigned char*>(bytes) - 4);
}

void MemoryWatch::FinalCheck() {
  if (count_ != 0) Say("MW:INDEX NOT ZERO!\n");
  for (int i = 0; i < kEntries; ++i) {
    if (addresses_[i]) Say("MW:MEMORY NOT ZERO!\n");
  }
}
