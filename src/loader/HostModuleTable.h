#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The libraries and functions that an image's imports may name when no resolver supplies them:
// our stand-in for the system's library loader and its function look-up. Linux has no Windows
// system libraries, so the table the program uses is empty and such imports fail.

struct HostFunction {
  std::string name;           // empty: reachable by ordinal only
  std::uint16_t ordinal = 0;  // 0: reachable by name only
  std::uintptr_t address = 0;
};

struct HostModule {
  std::string name;  // e.g. "KERNEL32.dll"
  std::vector<HostFunction> functions;
};

using HostModuleTable = std::vector<HostModule>;

// The module of that name, ASCII case ignored as library names are on Windows; nullptr if none.
const HostModule* FindHostModule(const HostModuleTable& table, std::string_view name);

// The address of the module's function with that exact name, or 0.
std::uintptr_t FindHostFunction(const HostModule& module, std::string_view name);

// The address of the module's function with that ordinal, or 0.
std::uintptr_t FindHostFunction(const HostModule& module, std::uint16_t ordinal);
