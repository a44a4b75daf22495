#include "odds/ExactDraw.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

// 214013 is odd, so it has an inverse modulo 2^32 (Newton's iteration doubles the good bits).
constexpr std::uint32_t InverseOf(std::uint32_t a) {
  std::uint32_t x = a;
  for (int i = 0; i < 5; ++i) x *= 2u - a * x;
  return x;
}
constexpr std::uint32_t kInverseMultiplier = InverseOf(kMultiplier);
static_assert(kInverseMultiplier * kMultiplier == 1u);

}  // namespace

std::uint32_t StateBeforeRaw(int raw) {
  assert(raw >= 0 && raw < kRawValueCount && "a raw value is 0..32767");
  const std::uint32_t after = static_cast<std::uint32_t>(raw) << 16;
  return (after - kIncrement) * kInverseMultiplier;
}

double DrawCounts::Chance(int value) const {
  if (value < low || value > High()) return 0.0;
  return rawCounts[static_cast<std::size_t>(value - low)] / static_cast<double>(kRawValueCount);
}

double DrawCounts::ChanceAtLeast(int value) const {
  std::uint64_t count = 0;
  for (std::size_t i = 0; i < rawCounts.size(); ++i)
    if (low + static_cast<int>(i) >= value) count += rawCounts[i];
  return count / static_cast<double>(kRawValueCount);
}

double DrawCounts::Mean() const {
  double sum = 0.0;
  for (std::size_t i = 0; i < rawCounts.size(); ++i)
    sum += static_cast<double>(rawCounts[i]) * (low + static_cast<double>(i));
  return sum / kRawValueCount;
}

int DrawCounts::Quantile(double q) const {
  std::uint64_t cumulative = 0;
  for (std::size_t i = 0; i < rawCounts.size(); ++i) {
    cumulative += rawCounts[i];
    if (static_cast<double>(cumulative) >= q * kRawValueCount) return low + static_cast<int>(i);
  }
  return High();
}

DrawCounts CountSingleDraw(const std::function<int(RandomGenerator&)>& draw) {
  std::vector<int> results(kRawValueCount);
  RandomGenerator random;
  for (int raw = 0; raw < kRawValueCount; ++raw) {
    random.Seed(StateBeforeRaw(raw));
    results[static_cast<std::size_t>(raw)] = draw(random);
  }
  const auto [lowest, highest] = std::minmax_element(results.begin(), results.end());
  DrawCounts counts;
  counts.low = *lowest;
  counts.rawCounts.assign(static_cast<std::size_t>(*highest - *lowest) + 1, 0);
  for (int value : results) ++counts.rawCounts[static_cast<std::size_t>(value - counts.low)];
  return counts;
}

DrawCounts RandomIntCounts(int a, int b) {
  return CountSingleDraw([a, b](RandomGenerator& random) { return random.RandomInt(a, b); });
}
