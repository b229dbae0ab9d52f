#include "memory_watch.h"

#include <cstring>

void MemoryWatch::Start(DebugOutput output) {
  for (int i = 0; i < kEntries; ++i) {
    addresses_[i] = nullptr;
    sizes_[i] = 0;
  }
  count_ = 0;
  output_ = output;
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
    Say("MW:MEMCHECK FULL!\n");
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

void MemoryWatch::Release(void* p, SPBasicSuite* basic) {
  if (!p) {
    if (basic) basic->FreeBlock(nullptr);
    return;
  }
  const unsigned char* bytes = static_cast<const unsigned char*>(p);
  std::int32_t size = 0;
  for (int i = 0; i < count_; ++i) {
    if (addresses_[i] == p) {
      size = sizes_[i];
      break;
    }
  }
  for (int i = -4; i < 0; ++i) {
    if (bytes[i] != kFill) {
      Say("MW:BAD SIGNATURE AT BEGINNING!\n");
      break;
    }
  }
  if (size == 0) {
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
  if (count_ == 0) {
    Say("MW:EMPTY!\n");
  } else {
    int found = -1;
    for (int i = 0; i < kEntries; ++i) {
      if (addresses_[i] == p) {
        found = i;
        break;
      }
    }
    if (found < 0) {
      Say("MW:NOT FOUND!\n");
    } else {
      // Keep entries 0..count-1 in use and in recording order.
      for (int i = found; i + 1 < count_; ++i) {
        addresses_[i] = addresses_[i + 1];
        sizes_[i] = sizes_[i + 1];
      }
      --count_;
      addresses_[count_] = nullptr;
      sizes_[count_] = 0;
    }
  }
  if (basic) basic->FreeBlock(const_cast<unsigned char*>(bytes) - 4);
}

void MemoryWatch::FinalCheck() {
  if (count_ != 0) Say("MW:INDEX NOT ZERO!\n");
  for (int i = 0; i < kEntries; ++i) {
    if (addresses_[i]) Say("MW:MEMORY NOT ZERO!\n");
  }
}
