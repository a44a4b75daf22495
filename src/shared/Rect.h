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
