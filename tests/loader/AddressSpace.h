#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

// Reserving ranges of this process's address space, to find out whether the loader may map at
// a preferred base and to take that base away from it.

// True when [address, address + size) was free; it is free again afterwards.
inline bool RangeIsFree(std::uintptr_t address, std::size_t size) {
#ifdef _WIN32
  void* got = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE, PAGE_NOACCESS);
  if (got == nullptr) return false;
  VirtualFree(got, 0, MEM_RELEASE);
  return got == reinterpret_cast<void*>(address);
#else
  void* wanted = reinterpret_cast<void*>(address);
  void* got = mmap(wanted, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
  if (got == MAP_FAILED) return false;
  munmap(got, size);
  return got == wanted;
#endif
}

// Holds a range of address space for as long as it lives.
class HeldRange {
public:
  HeldRange(std::uintptr_t address, std::size_t size) : size_(size) {
#ifdef _WIN32
    at_ = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE, PAGE_NOACCESS);
#else
    void* got = mmap(reinterpret_cast<void*>(address), size, PROT_NONE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    at_ = got == MAP_FAILED ? nullptr : got;
#endif
  }
  ~HeldRange() {
    if (at_ == nullptr) return;
#ifdef _WIN32
    VirtualFree(at_, 0, MEM_RELEASE);
#else
    munmap(at_, size_);
#endif
  }
  HeldRange(const HeldRange&) = delete;
  HeldRange& operator=(const HeldRange&) = delete;

private:
  void* at_ = nullptr;
  [[maybe_unused]] std::size_t size_ = 0;
};
