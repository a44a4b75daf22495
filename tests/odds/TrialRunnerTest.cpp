#include "odds/TrialRunner.h"

#include <gtest/gtest.h>

#include <set>

TEST(TrialRunner, AdvanceMatchesSteppingTheGenerator) {
  for (std::uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
    RandomGenerator random;
    random.Seed(seed);
    for (std::uint64_t steps = 0; steps <= 1000; ++steps) {
      ASSERT_EQ(AdvanceGeneratorState(seed, steps), random.State()) << seed << " after " << steps;
      random.Next();
    }
  }
  // A full cycle of 2^32 steps comes back to the start.
  EXPECT_EQ(AdvanceGeneratorState(777u, std::uint64_t{1} << 32), 777u);
}

TEST(TrialRunner, ChunksStartOnSeparateStretches) {
  const std::uint64_t chunks = 245;
  std::set<std::uint32_t> starts;
  for (std::uint64_t c = 0; c < chunks; ++c) starts.insert(ChunkStartState(99u, c, chunks));
  EXPECT_EQ(starts.size(), chunks);
  EXPECT_EQ(ChunkStartState(99u, 0, chunks), 99u);
  EXPECT_EQ(ChunkStartState(99u, 1, chunks), AdvanceGeneratorState(99u, (std::uint64_t{1} << 32) / chunks));
}

namespace {
// Sums over every raw value drawn: they change when any trial sees another value.
struct RawTally {
  std::uint64_t trials = 0;
  std::uint64_t sum = 0;
  std::uint64_t odd = 0;
  void Add(const RawTally& other) {
    trials += other.trials;
    sum += other.sum;
    odd += other.odd;
  }
};
RawTally RunRaw(std::uint64_t trials, std::uint32_t seed, int threads) {
  return RunTrials<RawTally>(
      TrialPlan{trials, seed, threads}, [] { return RawTally{}; },
      [](RandomGenerator& random, std::uint64_t count, RawTally& tally) {
        for (std::uint64_t i = 0; i < count; ++i) {
          const int raw = random.Next();
          tally.sum += static_cast<std::uint64_t>(raw);
          tally.odd += static_cast<std::uint64_t>(raw & 1);
        }
        tally.trials += count;
      });
}
}  // namespace

TEST(TrialRunner, SameSeedSameFiguresWhateverTheThreads) {
  const std::uint64_t trials = 10 * kTrialsPerChunk + 17;  // a short last chunk
  const RawTally one = RunRaw(trials, 4242, 1);
  EXPECT_EQ(one.trials, trials);
  for (int threads : {2, 3, 8}) {
    const RawTally many = RunRaw(trials, 4242, threads);
    EXPECT_EQ(many.sum, one.sum) << threads;
    EXPECT_EQ(many.odd, one.odd) << threads;
    EXPECT_EQ(many.trials, trials);
  }
  EXPECT_NE(RunRaw(trials, 4243, 2).sum, one.sum);
}

TEST(TrialRunner, ZeroTrialsRunNothing) { EXPECT_EQ(RunRaw(0, 1, 2).trials, 0u); }
