#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Little-endian reads and writes in untrusted image bytes. Every access is checked against the
// end of the span first; offsets are 64-bit so that an offset plus a length cannot wrap.

// True when [offset, offset + length) lies inside a span of `size` bytes.
inline bool RangeFits(std::size_t size, std::uint64_t offset, std::uint64_t length) {
  return offset <= size && length <= size - offset;
}

inline std::optional<std::uint16_t> ReadU16(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  if (!RangeFits(bytes.size(), offset, 2)) return std::nullopt;
  const std::uint8_t* p = bytes.data() + offset;
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::optional<std::uint32_t> ReadU32(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  if (!RangeFits(bytes.size(), offset, 4)) return std::nullopt;
  const std::uint8_t* p = bytes.data() + offset;
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline bool WriteU32(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t value) {
  if (!RangeFits(bytes.size(), offset, 4)) return false;
  std::uint8_t* p = bytes.data() + offset;
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
  p[2] = static_cast<std::uint8_t>(value >> 16);
  p[3] = static_cast<std::uint8_t>(value >> 24);
  return true;
}

// The zero-terminated text that starts at offset, without its zero; nothing when the text does
// not end inside the span.
inline std::optional<std::string_view> ReadCString(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  if (offset >= bytes.size()) return std::nullopt;
  const auto* start = reinterpret_cast<const char*>(bytes.data() + offset);
  const std::size_t room = bytes.size() - static_cast<std::size_t>(offset);
  const std::string_view rest(start, room);
  const std::size_t end = rest.find('\0');
  if (end == std::string_view::npos) return std::nullopt;
  return rest.substr(0, end);
}
