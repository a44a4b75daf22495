#pragma once

#include <cstdint>

// Source of the millisecond tick count that seeds the random generator.
class Clock {
public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps at 2^32.
  virtual std::uint32_t TickMilliseconds() = 0;
};

// The real clock: monotonic milliseconds (unaffected by changes of the wall-clock time); on
// Windows the system tick count, GetTickCount.
class MonotonicClock final : public Clock {
public:
  std::uint32_t TickMilliseconds() override;
};

// A clock that returns whatever tick it was given; for tests and replays.
class FixedClock final : public Clock {
public:
  explicit FixedClock(std::uint32_t tick = 0) : tick_(tick) {}
  std::uint32_t TickMilliseconds() override { return tick_; }
  void Set(std::uint32_t tick) { tick_ = tick; }

private:
  std::uint32_t tick_;
};
