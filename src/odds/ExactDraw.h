#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/RandomGenerator.h"

// Exact distributions of the generator's single draws. Each raw value 0..32767 is taken as
// equally likely (over the generator's full period every raw value occurs equally often), so
// a draw made with one raw value has a distribution that is a count out of 32768, remainder
// of the modulo included.

inline constexpr int kRawValueCount = 32768;

// The generator state whose next raw value is `raw` (0..32767).
std::uint32_t StateBeforeRaw(int raw);

// The distribution of a whole-number result over consecutive values low..low+size-1:
// rawCounts[i] of the 32768 raw values give low + i.
struct DrawCounts {
  int low = 0;
  std::vector<std::uint32_t> rawCounts;

  int High() const { return low + static_cast<int>(rawCounts.size()) - 1; }
  double Chance(int value) const;
  double ChanceAtLeast(int value) const;
  double Mean() const;
  // The smallest value whose cumulative chance reaches q (0 < q <= 1).
  int Quantile(double q) const;
};

// Runs `draw` once for each of the 32768 raw values its first draw can see and counts the
// results. `draw` must make exactly one draw from the generator (or none).
DrawCounts CountSingleDraw(const std::function<int(RandomGenerator&)>& draw);

// The distribution of RandomGenerator::RandomInt(a, b), found by running it.
DrawCounts RandomIntCounts(int a, int b);
