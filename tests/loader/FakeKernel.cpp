#include "FakeKernel.h"

KernelServices FakeKernel::Services() {
  KernelServices services;
  services.allocate = [this](std::uintptr_t address, std::size_t size) -> std::uint8_t* {
    events.push_back("allocate");
    requestedAddresses.push_back(address);
    requestedSizes.push_back(size);
    // Heap memory cannot be placed: a wish for a fixed address always fails, like an occupied
    // preferred base, so every image is relocated.
    if (address != 0) return nullptr;
    ++allocations;
    std::vector<std::uint8_t> memory(size, 0);
    std::uint8_t* base = memory.data();
    live.emplace(base, std::move(memory));
    return base;
  };
  services.release = [this](std::uint8_t* base, std::size_t) {
    events.push_back("release");
    releasedBases.push_back(reinterpret_cast<std::uintptr_t>(base));
    if (releaseFails) return false;
    ++releases;
    live.erase(base);
    return true;
  };
  services.hostModules = hostModules;
  services.callEntryPoint = [this](std::uintptr_t address, std::uint32_t module,
                                   std::uint32_t reason,
                                   std::uint32_t reserved) -> std::optional<std::uint32_t> {
    events.push_back(reason == 1 ? "attach" : "detach");
    entryCalls.push_back({address, module, reason, reserved});
    return reason == 1 ? attachResult : detachResult;
  };
  return services;
}
