#include "core/Clock.h"

#include <chrono>

std::uint32_t MonotonicClock::TickMilliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<std::uint32_t>(ms);
}
