// Speed of the odds simulations: washes and merges per second on one core, and with all
// cores through the chunked runner.
#include <benchmark/benchmark.h>

#include <string>

#include "odds/MergeSimulation.h"
#include "odds/WashSimulation.h"

namespace {

WantConditions Goal(const char* text) {
  std::string error;
  return *ParseWantConditions(text, error);
}

MergeSide Side(int slot, int species, std::array<double, 5> aptitudes, std::vector<int> skills) {
  MergeSide side;
  side.slot = slot;
  side.species = species;
  for (std::size_t k = 0; k < 5; ++k) side.aptitudes[k + 1] = aptitudes[k];
  side.skills = std::move(skills);
  return side;
}

// Two pets as they come from washes: four and three skills, one shared.
MergeSetup TypicalMerge() {
  return PrepareMerge(Side(1, 12, {1300, 950, 3000, 1700, 1000}, {19, 20, 5, 4}),
                      Side(2, 18, {1400, 800, 4200, 1900, 1200}, {28, 5, 57}));
}

constexpr std::uint64_t kBatch = 4096;

void BM_WashesOneCore(benchmark::State& run) {
  const WantConditions want = run.range(0) ? Goal("skills>=3,has=57,attack>=1400") : WantConditions{};
  RandomGenerator random;
  random.Seed(1);
  WashTally tally = EmptyWashTally();
  for (auto _ : run) RunWashTrials(random, 18, want, kBatch, tally);
  benchmark::DoNotOptimize(tally);
  run.SetItemsProcessed(static_cast<std::int64_t>(tally.trials));
}
BENCHMARK(BM_WashesOneCore)->Arg(0)->Arg(1)->ArgName("goal");

void BM_MergesOneCore(benchmark::State& run) {
  const MergeSetup setup = TypicalMerge();
  const WantConditions want = run.range(0) ? Goal("skills>=4,has=57") : WantConditions{};
  RandomGenerator random;
  random.Seed(1);
  MergeTally tally = EmptyMergeTally(setup);
  for (auto _ : run) RunMergeTrials(random, setup, want, kBatch, tally);
  benchmark::DoNotOptimize(tally);
  run.SetItemsProcessed(static_cast<std::int64_t>(tally.trials));
}
BENCHMARK(BM_MergesOneCore)->Arg(0)->Arg(1)->ArgName("goal");

// The largest pets a record may hold: 1000 skills each, none shared (a pool of 2000). The
// skill attempts grow with the pool; before they jumped over rejected picks, they grew with
// its square (about 35 ms a merge here, 10 hours for a million).
void BM_MergesLargestPets(benchmark::State& run) {
  std::vector<int> skills1, skills2;
  for (int i = 1; i <= 1000; ++i) {
    skills1.push_back(i);
    skills2.push_back(1000 + i);
  }
  const MergeSetup setup = PrepareMerge(Side(1, 12, {1300, 950, 3000, 1700, 1000}, skills1),
                                        Side(2, 18, {1400, 800, 4200, 1900, 1200}, skills2));
  RandomGenerator random;
  random.Seed(1);
  MergeTally tally = EmptyMergeTally(setup);
  for (auto _ : run) RunMergeTrials(random, setup, WantConditions{}, 64, tally);
  benchmark::DoNotOptimize(tally);
  run.SetItemsProcessed(static_cast<std::int64_t>(tally.trials));
}
BENCHMARK(BM_MergesLargestPets);

// The whole runner: chunks, one generator per chunk, threads, the final sum.
void BM_SimulateWashes(benchmark::State& run) {
  const TrialPlan plan{2'000'000, 1, static_cast<int>(run.range(0))};
  std::uint64_t trials = 0;
  for (auto _ : run) {
    const WashTally tally = SimulateWashes(18, WantConditions{}, plan);
    trials += tally.trials;
    benchmark::DoNotOptimize(tally);
  }
  run.SetItemsProcessed(static_cast<std::int64_t>(trials));
}
BENCHMARK(BM_SimulateWashes)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_SimulateMerges(benchmark::State& run) {
  const MergeSetup setup = TypicalMerge();
  const TrialPlan plan{1'000'000, 1, static_cast<int>(run.range(0))};
  std::uint64_t trials = 0;
  for (auto _ : run) {
    const MergeTally tally = SimulateMerges(setup, WantConditions{}, plan);
    trials += tally.trials;
    benchmark::DoNotOptimize(tally);
  }
  run.SetItemsProcessed(static_cast<std::int64_t>(trials));
}
BENCHMARK(BM_SimulateMerges)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
