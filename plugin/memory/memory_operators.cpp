// The plug-in module's global allocation operators: every block of the module (our code, the
// standard containers, the spelling library's objects) is host memory, watched by MemoryWatch.
// Linked into the plug-in only.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "host_suites.h"
#include "memory_watch.h"
#include "plugin_text.h"

namespace {

// Zero-initialised before any code of the module runs, so allocations made by other static
// initialisers find a valid (empty) table.
MemoryWatch gWatch;

void SendToDebugger(const char* text) {
  OutputDebugStringA(text);
}

void FinalCheck() {
  gWatch.FinalCheck();
}

// Started first among the module's initialisers; the final check is registered then, so it runs
// last, after the other static objects have given their memory back.
struct WatchStarter {
  WatchStarter() {
    gWatch.Start(SendToDebugger,
                 kUtf8Text ? MemoryWatch::Overflow::kReportOnce : MemoryWatch::Overflow::kReportEach);
    std::atexit(FinalCheck);
  }
};
WatchStarter gStarter __attribute__((init_priority(101)));

void* Allocate(std::size_t n) {
  return gWatch.Allocate(n, HostBasicSuite());
}

void* AllocateNoThrow(std::size_t n) noexcept {
  try {
    return Allocate(n);
  } catch (...) {
    return nullptr;
  }
}

void Release(void* p) noexcept {
  gWatch.Release(p, HostBasicSuite());
}

}  // namespace

void* operator new(std::size_t n) {
  return Allocate(n);
}
void* operator new[](std::size_t n) {
  return Allocate(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  return AllocateNoThrow(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  return AllocateNoThrow(n);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  Release(p);
}
