#include <sys/mman.h>

#include "loader/KernelServices.h"

namespace {

constexpr int kProtection = PROT_READ | PROT_WRITE | PROT_EXEC;

std::uint8_t* MapAt(std::uintptr_t address, std::size_t size) {
  void* wanted = reinterpret_cast<void*>(address);
  // MAP_FIXED_NOREPLACE refuses a range that is in use instead of replacing it; a kernel that
  // predates it takes the address as a hint, hence the comparison.
  void* got = mmap(wanted, size, kProtection, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
  if (got == MAP_FAILED) return nullptr;
  if (got != wanted) {
    munmap(got, size);
    return nullptr;
  }
  return static_cast<std::uint8_t*>(got);
}

std::uint8_t* MapAnywhere(std::size_t size) {
#if defined(__x86_64__) && defined(MAP_32BIT)
  // The image holds 32-bit absolute addresses; memory below 4 GB keeps them exact.
  void* low = mmap(nullptr, size, kProtection, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (low != MAP_FAILED) return static_cast<std::uint8_t*>(low);
#endif
  void* got = mmap(nullptr, size, kProtection, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (got == MAP_FAILED) return nullptr;
  return static_cast<std::uint8_t*>(got);
}

}  // namespace

KernelServices HostKernelServices() {
  KernelServices services;
  services.allocate = [](std::uintptr_t address, std::size_t size) -> std::uint8_t* {
    if (size == 0) return nullptr;
    return address != 0 ? MapAt(address, size) : MapAnywhere(size);
  };
  services.release = [](std::uint8_t* base, std::size_t size) { return munmap(base, size) == 0; };
  services.callEntryPoint = CallX86EntryPoint;
  return services;
}
