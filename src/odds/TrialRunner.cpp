#include "odds/TrialRunner.h"

namespace {
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;
}  // namespace

std::uint32_t AdvanceGeneratorState(std::uint32_t state, std::uint64_t steps) {
  // Composes the step x -> a x + c with itself by squaring: (a, c) applied twice is
  // (a^2, (a + 1) c). Arithmetic is modulo 2^32, as the generator's own.
  std::uint32_t totalMultiplier = 1u;
  std::uint32_t totalIncrement = 0u;
  std::uint32_t multiplier = kMultiplier;
  std::uint32_t increment = kIncrement;
  for (; steps > 0; steps >>= 1) {
    if (steps & 1u) {
      totalMultiplier *= multiplier;
      totalIncrement = totalIncrement * multiplier + increment;
    }
    increment = (multiplier + 1u) * increment;
    multiplier *= multiplier;
  }
  return totalMultiplier * state + totalIncrement;
}

std::uint32_t ChunkStartState(std::uint32_t seed, std::uint64_t chunk, std::uint64_t chunkCount) {
  constexpr std::uint64_t kCycle = std::uint64_t{1} << 32;
  const std::uint64_t stride = chunkCount == 0 ? 0 : kCycle / chunkCount;
  return AdvanceGeneratorState(seed, (chunk * stride) % kCycle);
}

int DefaultThreadCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}
