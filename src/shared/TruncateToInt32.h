#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// `value` truncated toward zero and held inside the 32-bit range (NaN counts as 0).
inline std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double low = std::numeric_limits<std::int32_t>::min();
  constexpr double high = std::numeric_limits<std::int32_t>::max();
  if (value <= low) return std::numeric_limits<std::int32_t>::min();
  if (value >= high) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}
