#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/RandomGenerator.h"
#include "odds/TrialRunner.h"
#include "odds/WantConditions.h"

// Counts of simulated washes of one species, made with the pet roll's own draws.
struct WashTally {
  std::uint64_t trials = 0;
  std::array<std::uint64_t, 6> valueSums{};   // attack .. speed, growth in thousandths
  std::vector<std::uint64_t> countHits;       // index c: washes that gave c skills
  std::array<std::uint64_t, 80> skillHits{};  // by SkillId
  std::uint64_t wantHits = 0;

  void Add(const WashTally& other);
};

WashTally EmptyWashTally();

// Runs `count` washes of `species` on `random` and adds them to `tally`.
void RunWashTrials(RandomGenerator& random, int species, const WantConditions& want, std::uint64_t count,
                   WashTally& tally);

WashTally SimulateWashes(int species, const WantConditions& want, const TrialPlan& plan,
                         const TrialProgress& progress = {});
