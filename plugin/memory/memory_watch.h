// The checking allocator behind the plug-in's global allocation operators. Every block comes from
// the host's basic suite, 8 bytes larger than asked: four guard bytes 'A' in front, the caller's
// bytes (filled with 'A'), four guard bytes 'A' behind. A table of 500 live blocks, in the order
// they were handed out, lets a release find its size and check both guards. Misuse is reported as
// debugger texts and never stops the program.
//
// A full table hands out blocks it does not record. Reporting each of them (and each of their
// releases) is the watch's first way; a library making many small blocks then spends most of its
// time in debugger output, so the Unicode builds report an overflow once, when the table first
// fills, and release that many unrecorded blocks without a word.
//
// Platform-neutral: the debugger output is passed in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host_interface.h"

class MemoryWatch {
 public:
  static constexpr int kEntries = 500;
  static constexpr std::size_t kOverhead = 8;
  static constexpr unsigned char kFill = 0x41;
  using DebugOutput = void (*)(const char* text);
  enum class Overflow { kReportEach, kReportOnce };

  // Clears the table. The watch has no constructor: a module-wide instance is zero-initialised,
  // and so usable, before any of the module's constructors has run.
  void Start(DebugOutput output, Overflow overflow = Overflow::kReportEach);

  // n usable bytes from basic->AllocateBlock. Throws HostException with -50 when basic is null and
  // -108 when the host reports an error (or n is beyond what the host can be asked for).
  void* Allocate(std::size_t n, SPBasicSuite* basic);

  // Checks and hands the block back to basic->FreeBlock; null goes to FreeBlock as it is. Without
  // a basic suite the block cannot be released.
  void Release(void* p, SPBasicSuite* basic);

  // Reports what is still recorded (module unload).
  void FinalCheck();

  int Count() const { return count_; }
  void* Address(int i) const { return addresses_[i]; }
  std::int32_t Size(int i) const { return sizes_[i]; }

 private:
  void Say(const char* text) const;
  void Record(unsigned char* block, std::size_t total);
  void Unrecord(int index);

  void* addresses_[kEntries];     // caller addresses; entries 0..count_-1 in recording order
  std::int32_t sizes_[kEntries];  // total sizes, guards included
  std::int32_t count_;
  DebugOutput output_;
  Overflow overflow_;
  std::size_t unrecorded_;  // kReportOnce: blocks handed out unrecorded and not yet released
};
