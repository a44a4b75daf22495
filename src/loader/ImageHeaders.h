#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "loader/ImageBytes.h"
#include "loader/PeLayout.h"

// Where the NT headers start, when the bytes begin with a DOS header signed "MZ" whose header
// offset leads to complete NT headers signed "PE\0\0"; nothing otherwise.
inline std::optional<std::uint32_t> FindNtHeaders(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < pe::kDosHeaderSize) return std::nullopt;
  if (ReadU16(bytes, 0) != pe::kDosSignature) return std::nullopt;
  const std::uint32_t nt = *ReadU32(bytes, pe::kDosNtHeaderOffset);
  if (!RangeFits(bytes.size(), nt, pe::kNtHeadersSize)) return std::nullopt;
  if (ReadU32(bytes, nt) != pe::kNtSignature) return std::nullopt;
  return nt;
}

struct DataDirectory {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

// One data directory of NT headers found by FindNtHeaders.
inline DataDirectory ReadDataDirectory(std::span<const std::uint8_t> bytes, std::uint32_t nt, std::uint32_t index) {
  const std::uint64_t at = std::uint64_t{nt} + pe::kNtDataDirectories + std::uint64_t{index} * pe::kDataDirectorySize;
  return {ReadU32(bytes, at).value_or(0), ReadU32(bytes, at + 4).value_or(0)};
}
