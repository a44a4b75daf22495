#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "loader/HostModuleTable.h"

// The operating-system services the in-memory loader needs, as one record of replaceable parts,
// so that tests can count allocations and stand in for the image's code on any host.
struct KernelServices {
  // Committed, zero-filled memory of `size` bytes that may hold code, at exactly `address`
  // (0: anywhere). nullptr when it cannot be had.
  std::function<std::uint8_t*(std::uintptr_t address, std::size_t size)> allocate;

  // Gives back memory from `allocate`; false when that fails.
  std::function<bool(std::uint8_t* base, std::size_t size)> release;

  // Where imports that no resolver supplies are looked up.
  HostModuleTable hostModules;

  // The system's own library loader, asked for imports that neither the resolver nor
  // hostModules supply: loads the library by name and returns the function's address (by name,
  // or by ordinal when `ordinal` is not 0), or 0. Empty where the host has no such loader.
  std::function<std::uintptr_t(const std::string& library, const std::string& function, std::uint16_t ordinal)>
      systemImport;

  // Calls the image's entry point at `address` as a 32-bit x86 stdcall routine with the
  // arguments module handle, reason and reserved, and returns its result. nullopt when this host
  // cannot run such code; then nothing was called.
  std::function<std::optional<std::uint32_t>(std::uintptr_t address, std::uint32_t module, std::uint32_t reason,
                                             std::uint32_t reserved)>
      callEntryPoint;
};

// The services of this host. POSIX: anonymous read-write-execute mappings, an empty module table,
// no system library loader, and an entry-point call that runs the code on a 32-bit x86 build and
// refuses on any other. Windows: VirtualAlloc/VirtualFree, LoadLibraryA/GetProcAddress, and the
// entry point really called.
KernelServices HostKernelServices();

// Runs 32-bit x86 stdcall code with three arguments; nullopt (without calling) unless this
// program is itself a 32-bit x86 build.
std::optional<std::uint32_t> CallX86EntryPoint(std::uintptr_t address, std::uint32_t module, std::uint32_t reason,
                                               std::uint32_t reserved);
