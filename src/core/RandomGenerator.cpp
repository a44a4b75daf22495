#include "core/RandomGenerator.h"

#include "core/Clock.h"

void RandomGenerator::SeedFromClock(Clock& clock) {
  const std::uint32_t seed = clock.TickMilliseconds() + seedCounter_;
  Seed(seed);
  seedCounter_ += 100u + (seed & 0xFFu);
}
