#include "FakeKernel.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace {

#ifdef _WIN32
// A 32-bit Windows process has no memory above 4 GB.
std::uint8_t* MapMemory(std::size_t size, bool aboveFourGb) {
  if (aboveFourGb) return nullptr;
  return static_cast<std::uint8_t*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}
void UnmapMemory(std::uint8_t* base, std::size_t) { VirtualFree(base, 0, MEM_RELEASE); }
#else
void UnmapMemory(std::uint8_t* base, std::size_t size) { munmap(base, size); }

// Anonymous zero-filled memory below 4 GB, or above it when asked (nullptr when the host cannot).
std::uint8_t* MapMemory(std::size_t size, bool aboveFourGb) {
  const int protection = PROT_READ | PROT_WRITE;
  int flags = MAP_PRIVATE | MAP_ANONYMOUS;
  void* hint = nullptr;
  if (aboveFourGb) {
    if constexpr (sizeof(std::uintptr_t) <= 4) return nullptr;
    hint = reinterpret_cast<void*>(std::uintptr_t{1} << 40);
  } else {
#if defined(__x86_64__) && defined(MAP_32BIT)
    flags |= MAP_32BIT;
#endif
  }
  void* got = mmap(hint, size, protection, flags, -1, 0);
  if (got == MAP_FAILED) return nullptr;
  const auto end = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(got)) + size;
  const bool low = end <= (std::uint64_t{1} << 32);
  if (low == aboveFourGb) {
    munmap(got, size);
    return nullptr;
  }
  return static_cast<std::uint8_t*>(got);
}
#endif

}  // namespace

FakeKernel::~FakeKernel() {
  for (const auto& [base, size] : live) UnmapMemory(base, size);
}

KernelServices FakeKernel::Services() {
  KernelServices services;
  services.allocate = [this](std::uintptr_t address, std::size_t size) -> std::uint8_t* {
    events.push_back("allocate");
    requestedAddresses.push_back(address);
    requestedSizes.push_back(size);
    // Heap memory cannot be placed: a wish for a fixed address always fails, like an occupied
    // preferred base, so every image is relocated.
    if (address != 0) return nullptr;
    std::uint8_t* base = MapMemory(size, aboveFourGb);
    if (base == nullptr) return nullptr;
    ++allocations;
    live.emplace(base, size);
    return base;
  };
  services.release = [this](std::uint8_t* base, std::size_t) {
    events.push_back("release");
    releasedBases.push_back(reinterpret_cast<std::uintptr_t>(base));
    if (releaseFails) return false;
    ++releases;
    const auto found = live.find(base);
    if (found != live.end()) {
      UnmapMemory(base, found->second);
      live.erase(found);
    }
    return true;
  };
  services.hostModules = hostModules;
  services.callEntryPoint = [this](std::uintptr_t address, std::uint32_t module, std::uint32_t reason,
                                   std::uint32_t reserved) -> std::optional<std::uint32_t> {
    events.push_back(reason == 1 ? "attach" : "detach");
    entryCalls.push_back({address, module, reason, reserved});
    return reason == 1 ? attachResult : detachResult;
  };
  return services;
}
