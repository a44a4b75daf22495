// Fuzz target: MemoryModule::Load and FindExport over arbitrary bytes. The image memory comes
// from the heap so that AddressSanitizer sees any access past the mapped image, as it sees any
// read past the input. Faults are sanitizer reports and the traps below.

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

std::uintptr_t Resolve(const char* library, const char* function, std::uintptr_t) {
  // Measuring both names reads each up to its zero, so a name that does not end inside the image
  // is reported.
  const std::size_t length = std::strlen(library) + std::strlen(function);
  return function[0] == '!' ? 0 : 0x1000 + length;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::map<std::uint8_t*, std::vector<std::uint8_t>> live;
  KernelServices services;
  services.allocate = [&live](std::uintptr_t address, std::size_t length) -> std::uint8_t* {
    if (address != 0 || length == 0 || length > kMaxImage) return nullptr;
    std::vector<std::uint8_t> memory(length, 0);
    std::uint8_t* base = memory.data();
    live.emplace(base, std::move(memory));
    return base;
  };
  services.release = [&live](std::uint8_t* base, std::size_t length) {
    const auto found = live.find(base);
    Require(found != live.end() && found->second.size() == length);
    live.erase(found);
    return true;
  };
  services.hostModules = {{"KERNEL32.dll", {{"Sleep", 0, 0x2000}, {"", 1, 0x2004}}}};
  // Stands in for the image's code: the call must aim inside the mapped image.
  services.callEntryPoint = [&live, size](std::uintptr_t address, std::uint32_t, std::uint32_t,
                                          std::uint32_t) -> std::optional<std::uint32_t> {
    Require(live.size() == 1);
    const auto base = reinterpret_cast<std::uintptr_t>(live.begin()->first);
    Require(address >= base && address < base + live.begin()->second.size());
    return size % 5 == 0 ? 0u : 1u;
  };

  MemoryModule module(services);
  if (!module.Load({data, size}, Resolve)) {
    Require(live.empty() && module.BaseAddress() == 0);
    return 0;
  }
  Require(live.size() == 1);
  const std::uintptr_t base = module.BaseAddress();
  const std::size_t imageSize = live.begin()->second.size();
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
  return 0;
}
