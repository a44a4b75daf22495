// Fuzz target: MemoryModule::Load and FindExport over arbitrary bytes. Most images are mapped
// below 4 GB, where their 32-bit addresses reach; the page after the image is inaccessible and
// the rest of its last page poisoned, so that AddressSanitizer (or the fault) reports any access
// past the mapped image, as it reports any read past the input. Some images get heap memory
// above 4 GB, which a relocated image must refuse. Faults are sanitizer reports and the traps
// below.

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "loader/KernelServices.h"
#include "loader/MemoryModule.h"

namespace {

constexpr std::size_t kMaxImage = std::size_t{1} << 20;  // keeps each run fast

// Declines every import from a library whose name has an even length (KERNEL32.dll of the seeds),
// so that the host's module table is asked, and answers the others with addresses whose bytes are all non-zero, as real
// addresses are: an address table that overlaps a name then overwrites its terminating zero. On a 64-bit host some
// answers do not fit the image's 32-bit table.
std::uintptr_t Resolve(const char* library, const char* function, std::uintptr_t) {
  // Measuring both names reads each up to its zero, so a name that does not end inside the image
  // is reported.
  const std::size_t libraryLength = std::strlen(library);
  const std::size_t length = libraryLength + std::strlen(function);
  if (libraryLength % 2 == 0) return 0;
  std::uintptr_t address = 0x7F7F7F80u | (length & 0x7F);
  if constexpr (sizeof(std::uintptr_t) > 4) {
    if (length % 16 == 15) address |= static_cast<std::uintptr_t>(std::uint64_t{0x7F} << 32);
  }
  return address;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::size_t PageSize() { return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)); }

std::size_t WholePages(std::size_t length) {
  const std::size_t page = PageSize();
  return (length + page - 1) / page * page;
}

// Memory the loader was given: below 4 GB (a mapping with a guard page) or on the heap.
struct Block {
  std::size_t length;
  std::vector<std::uint8_t> heap;  // empty for a mapping
};

std::uint8_t* MapLow(std::size_t length) {
  const std::size_t pages = WholePages(length);
  int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_32BIT)
  flags |= MAP_32BIT;
#endif
  void* got = ::mmap(nullptr, pages + PageSize(), PROT_NONE, flags, -1, 0);
  if (got == MAP_FAILED) return nullptr;
  auto* base = static_cast<std::uint8_t*>(got);
  Require(::mprotect(base, pages, PROT_READ | PROT_WRITE) == 0);
  ASAN_POISON_MEMORY_REGION(base + length, pages - length);
  return base;
}

void UnmapLow(std::uint8_t* base, std::size_t length) {
  const std::size_t pages = WholePages(length);
  ASAN_UNPOISON_MEMORY_REGION(base + length, pages - length);
  Require(::munmap(base, pages + PageSize()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::map<std::uint8_t*, Block> live;
  const bool onTheHeap = size % 7 == 0;
  KernelServices services;
  services.allocate = [&live, onTheHeap](std::uintptr_t address, std::size_t length) -> std::uint8_t* {
    if (address != 0 || length == 0 || length > kMaxImage) return nullptr;
    if (onTheHeap) {
      std::vector<std::uint8_t> memory(length, 0);
      std::uint8_t* base = memory.data();
      live.emplace(base, Block{length, std::move(memory)});
      return base;
    }
    std::uint8_t* base = MapLow(length);
    if (base != nullptr) live.emplace(base, Block{length, {}});
    return base;
  };
  services.release = [&live](std::uint8_t* base, std::size_t length) {
    const auto found = live.find(base);
    Require(found != live.end() && found->second.length == length);
    if (found->second.heap.empty()) UnmapLow(base, length);
    live.erase(found);
    return true;
  };
  // Addresses with every byte set, and on a 64-bit host one that does not fit the table.
  services.hostModules = {
      {"KERNEL32.dll", {{"Sleep", 0, 0x7FFE2080}, {"", 1, 0x7FFE2084}}},
      {"other.dll", {{"Add", 0, static_cast<std::uintptr_t>(~std::uint64_t{0} - 0x1000)}, {"", 2, 0x01010101}}}};
  // Stands in for the image's code: the call must aim inside the mapped image.
  services.callEntryPoint = [&live, size](std::uintptr_t address, std::uint32_t, std::uint32_t,
                                          std::uint32_t) -> std::optional<std::uint32_t> {
    Require(live.size() == 1);
    const auto base = reinterpret_cast<std::uintptr_t>(live.begin()->first);
    Require(address >= base && address < base + live.begin()->second.length);
    return size % 5 == 0 ? 0u : 1u;
  };

  MemoryModule module(services);
  if (!module.Load({data, size}, Resolve)) {
    Require(live.empty() && module.BaseAddress() == 0);
    return 0;
  }
  Require(live.size() == 1);
  const std::uintptr_t base = module.BaseAddress();
  const std::size_t imageSize = live.begin()->second.length;
  Require(base == reinterpret_cast<std::uintptr_t>(live.begin()->first));

  std::vector<std::string> names = {"1", "2", "5", "Add", "Sleep", "DllMain", "0", "-1", ""};
  // The input's last bytes as one more name, so the fuzzer can steer it toward the table.
  const std::size_t tail = size < 12 ? size : 12;
  names.emplace_back(reinterpret_cast<const char*>(data + size - tail), tail);
  for (const std::string& name : names) {
    const std::uintptr_t address = module.FindExport(name);
    Require(address == 0 || (address >= base && address < base + imageSize));
  }
  (void)module.EntryPoint();

  // Relocations may have rewritten the headers, and then Unload refuses; the memory goes anyway.
  if (module.Unload()) Require(live.empty() && module.BaseAddress() == 0);
  for (const auto& [block, memory] : live) {
    if (memory.heap.empty()) UnmapLow(block, memory.length);
  }
  return 0;
}
