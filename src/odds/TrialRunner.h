#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "core/RandomGenerator.h"

// Runs many simulated trials on several threads with figures that depend only on the seed
// and the number of trials: the trials are cut into fixed chunks, chunk c always runs the
// same trials on a generator of its own, and the tallies are whole counts whose sum does not
// depend on which thread ran which chunk.
//
// The generator has one cycle of 2^32 states. Chunk c starts c * (2^32 / chunk count) steps
// after the seed, so the chunks walk separate stretches of that cycle as long as a chunk
// makes fewer draws than its stretch holds (thousands of draws per trial at a million trials).

inline constexpr std::uint64_t kTrialsPerChunk = 4096;

struct TrialPlan {
  std::uint64_t trials = 0;
  std::uint32_t seed = 1;
  int threads = 1;  // 1 or more
};

// The state `steps` generator steps after `state`.
std::uint32_t AdvanceGeneratorState(std::uint32_t state, std::uint64_t steps);

// The start state of chunk `chunk` of `chunkCount`.
std::uint32_t ChunkStartState(std::uint32_t seed, std::uint64_t chunk, std::uint64_t chunkCount);

// Threads to use by default: every core the machine reports, at least one.
int DefaultThreadCount();

// Called on the calling thread about every 100 ms while trials run: trials done, trials in all.
using TrialProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// makeTally() gives an empty tally; runChunk(random, trials, tally) runs that many trials and
// adds them to tally; tally.Add(other) sums two tallies.
template <class Tally, class MakeTally, class RunChunk>
Tally RunTrials(const TrialPlan& plan, MakeTally makeTally, RunChunk runChunk, const TrialProgress& progress = {}) {
  const std::uint64_t chunkCount = (plan.trials + kTrialsPerChunk - 1) / kTrialsPerChunk;
  const int threads = static_cast<int>(std::clamp<std::uint64_t>(static_cast<std::uint64_t>(std::max(plan.threads, 1)),
                                                                 1, std::max<std::uint64_t>(chunkCount, 1)));
  std::atomic<std::uint64_t> nextChunk{0};
  std::atomic<std::uint64_t> trialsDone{0};
  // One tally per thread, each on cache lines of its own: the counters change every trial.
  struct alignas(64) OwnTally {
    Tally tally;
  };
  std::vector<OwnTally> tallies;
  tallies.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) tallies.push_back(OwnTally{makeTally()});
  auto work = [&](Tally& tally) {
    RandomGenerator random;
    for (std::uint64_t chunk = nextChunk++; chunk < chunkCount; chunk = nextChunk++) {
      const std::uint64_t first = chunk * kTrialsPerChunk;
      const std::uint64_t count = std::min(kTrialsPerChunk, plan.trials - first);
      random.Seed(ChunkStartState(plan.seed, chunk, chunkCount));
      runChunk(random, count, tally);
      trialsDone += count;
    }
  };
  {
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t) workers.emplace_back(work, std::ref(tallies[static_cast<std::size_t>(t)].tally));
    if (progress) {
      while (trialsDone.load() < plan.trials) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        progress(trialsDone.load(), plan.trials);
      }
    }
  }  // the workers join here
  Tally total = makeTally();
  for (const OwnTally& own : tallies) total.Add(own.tally);
  return total;
}
