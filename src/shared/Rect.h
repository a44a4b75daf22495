#pragma once

#include <cstdint>

// A place in window pixels: left, top, width, height.
struct Rect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect MakeRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return Rect{x, y, width, height};
}

// True when (x, y) lies strictly inside `r`: on no edge. 64-bit sums, so that a far-off place
// cannot wrap around into view.
inline bool IsStrictlyInside(const Rect& r, std::int64_t x, std::int64_t y) {
  return r.x < x && x < std::int64_t{r.x} + r.width && r.y < y && y < std::int64_t{r.y} + r.height;
}
