#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "loader/KernelServices.h"

// Kernel services for tests: memory that is counted, and a stand-in for the image's entry point
// that records every call and answers with a chosen result, on any host. The memory lies below
// 4 GB, where an image's 32-bit addresses can reach it, unless `aboveFourGb` asks otherwise.
struct FakeKernel {
  FakeKernel() = default;
  FakeKernel(const FakeKernel&) = delete;
  FakeKernel& operator=(const FakeKernel&) = delete;
  ~FakeKernel();  // gives back what the loader kept

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
  bool aboveFourGb = false;  // hand out memory above 4 GB (64-bit hosts only)
  HostModuleTable hostModules;

  // Memory handed out and not yet released: its size, by base.
  std::map<std::uint8_t*, std::size_t> live;

  // Services that report to this object, which must outlive them.
  KernelServices Services();
};
