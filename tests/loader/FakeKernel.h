#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "loader/KernelServices.h"

// Kernel services for tests: heap memory that is counted, and a stand-in for the image's entry
// point that records every call and answers with a chosen result, on any host.
struct FakeKernel {
  struct EntryCall {
    std::uintptr_t address;
    std::uint32_t module;
    std::uint32_t reason;
    std::uint32_t reserved;
  };

  // What the services were asked, in order: "allocate", "release", "attach", "detach".
  std::vector<std::string> events;
  std::vector<std::uintptr_t> requestedAddresses;  // each allocate's address (0: anywhere)
  std::vector<std::size_t> requestedSizes;
  std::vector<std::uintptr_t> releasedBases;
  std::vector<EntryCall> entryCalls;
  int allocations = 0;
  int releases = 0;

  std::optional<std::uint32_t> attachResult = 1;  // nullopt: the host cannot run image code
  std::optional<std::uint32_t> detachResult = 1;
  bool releaseFails = false;
  HostModuleTable hostModules;

  // Memory handed out and not yet released, by base.
  std::map<std::uint8_t*, std::vector<std::uint8_t>> live;

  // Services that report to this object, which must outlive them.
  KernelServices Services();
};
