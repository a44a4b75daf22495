#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "loader/MemoryModule.h"
#include "loader/builder/ImageBuilder.h"

// mov eax, 1; ret 12 — an entry point that returns TRUE and drops its three stdcall arguments.
inline const std::vector<std::uint8_t> kReturnTrueCode = {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC2, 0x0C, 0x00};

inline constexpr std::uint32_t kTextRva = 0x1000;

// A DLL with one code section at kTextRva, its entry point at the section's start.
inline ImageLayout CodeDllLayout(std::vector<std::uint8_t> code = kReturnTrueCode) {
  ImageLayout desc;
  desc.entryPoint = kTextRva;
  desc.sections.push_back(
      {".text", kTextRva, 0, std::move(code), pe::kSectionCode | pe::kSectionExecute | pe::kSectionRead});
  return desc;
}

// The 32-bit value at `rva` of the image `module` has mapped.
inline std::uint32_t MappedU32(const MemoryModule& module, std::uint32_t rva) {
  std::uint32_t value = 0;
  std::memcpy(&value, reinterpret_cast<const void*>(module.BaseAddress() + rva), 4);
  return value;
}

inline void SetMappedU32(const MemoryModule& module, std::uint32_t rva, std::uint32_t value) {
  std::memcpy(reinterpret_cast<void*>(module.BaseAddress() + rva), &value, 4);
}

// The address `module` has mapped, as the image's own 32-bit arithmetic sees it.
inline std::uint32_t Base32(const MemoryModule& module) { return static_cast<std::uint32_t>(module.BaseAddress()); }
