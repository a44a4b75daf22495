#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Clock;

// The program's one random source: a linear congruential generator
// (state := state * 214013 + 2531011 mod 2^32, value := bits 16..30 of the state).
// Seeded with 1 it yields 41, 18467, 6334, 26500, ...
// The object also carries the seeding counter, so that two seedings from the
// clock within the same millisecond still give different sequences.
class RandomGenerator {
public:
  // Sets the state directly; does not touch the seeding counter.
  void Seed(std::uint32_t seed) { state_ = seed; }

  // Next raw value, 0..32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

  // A value between a and b inclusive: bounds in either order, a negative bound counts
  // as 0, equal bounds return that value without drawing. low + Next() mod (high-low+1).
  int RandomInt(int a, int b) {
    if (a < 0) a = 0;
    if (b < 0) b = 0;
    if (a == b) return a;
    const int low = a < b ? a : b;
    const int high = a < b ? b : a;
    const auto span = static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low) + 1u;
    return low + static_cast<int>(static_cast<std::uint32_t>(Next()) % span);
  }

  // Moves the state on by `count` draws at once, exactly as `count` calls of Next() would
  // (the steps compose to one multiply-add; O(log count)).
  void Skip(std::uint64_t count) {
    std::uint32_t multiplier = 1u, increment = 0u;
    std::uint32_t stepMultiplier = 214013u, stepIncrement = 2531011u;
    for (; count != 0; count >>= 1) {
      if ((count & 1u) != 0) {
        multiplier *= stepMultiplier;
        increment = increment * stepMultiplier + stepIncrement;
      }
      stepIncrement = (stepMultiplier + 1u) * stepIncrement;
      stepMultiplier *= stepMultiplier;
    }
    Jump(multiplier, increment);
  }

  // Moves the state on by a jump made beforehand (see RandomJumps).
  void Jump(std::uint32_t multiplier, std::uint32_t increment) { state_ = state_ * multiplier + increment; }

  // Seed = clock tick + counter; afterwards the counter grows by 100 + (seed & 0xFF).
  void SeedFromClock(Clock& clock);

  std::uint32_t State() const { return state_; }
  std::uint32_t SeedCounter() const { return seedCounter_; }

private:
  std::uint32_t state_ = 1;
  std::uint32_t seedCounter_ = 0;
};

// Skip(count) for every count from 0 to a bound, made once: each jump is then one
// multiply-add, for code that jumps over many short runs of draws.
class RandomJumps {
public:
  explicit RandomJumps(std::size_t maxCount = 0) {
    steps_.reserve(maxCount + 1);
    std::uint32_t multiplier = 1u, increment = 0u;
    for (std::size_t count = 0; count <= maxCount; ++count) {
      steps_.push_back({multiplier, increment});
      multiplier *= 214013u;
      increment = increment * 214013u + 2531011u;
    }
  }
  std::size_t MaxCount() const { return steps_.size() - 1; }
  // count <= MaxCount().
  void Skip(RandomGenerator& random, std::size_t count) const {
    random.Jump(steps_[count].multiplier, steps_[count].increment);
  }

private:
  struct Step {
    std::uint32_t multiplier;
    std::uint32_t increment;
  };
  std::vector<Step> steps_;
};
