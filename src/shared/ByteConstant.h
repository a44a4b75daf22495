#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

// A picture or library stored inside the program: a 32-bit value 1, a 32-bit byte count (both
// little-endian), then that many bytes. The span covers the whole blob, header included.
using ByteConstant = std::span<const std::uint8_t>;

// The bytes a ByteConstant carries; empty when the blob is too short or its header is not 1.
inline std::span<const std::uint8_t> ByteConstantPayload(ByteConstant blob) {
  if (blob.size() < 8) return {};
  std::uint32_t tag = 0, count = 0;
  std::memcpy(&tag, blob.data(), 4);
  std::memcpy(&count, blob.data() + 4, 4);
  if (tag != 1 || count > blob.size() - 8) return {};
  return blob.subspan(8, count);
}

// The empty byte string: loading it blanks a picture.
inline constexpr std::uint8_t kEmptyByteConstantBlob[8] = {1, 0, 0, 0, 0, 0, 0, 0};
inline constexpr ByteConstant kEmptyByteConstant{kEmptyByteConstantBlob, 8};
