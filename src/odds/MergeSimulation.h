#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/MergeSide.h"
#include "core/RandomGenerator.h"
#include "odds/ExactDraw.h"
#include "odds/TrialRunner.h"
#include "odds/WantConditions.h"

// What a merge of two given pets can give, before any trial: the exact distributions of the
// values drawn on their own, and the skills the child can inherit.
struct MergeSetup {
  MergeSide side1;
  MergeSide side2;
  double side1SpeciesChance = 0.0;   // exact chance that the child takes side 1's species
  std::array<DrawCounts, 6> values;  // exact: attack .. speed, growth in thousandths
  std::vector<int> pool;             // both skill lists, first occurrences in order
  RandomJumps poolJumps;             // MergeAttemptJumps(pool.size())
};

MergeSetup PrepareMerge(const MergeSide& side1, const MergeSide& side2);

struct ValueHistogram {
  int low = 0;
  std::vector<std::uint64_t> counts;  // counts[i]: trials that gave low + i

  std::uint64_t Total() const;
  double Mean() const;
  int Quantile(double q) const;  // the smallest value whose share reaches q
  int Lowest() const;            // the smallest value seen (low when none)
  int Highest() const;
};

struct MergeTally {
  std::uint64_t trials = 0;
  std::uint64_t side1SpeciesHits = 0;
  std::array<ValueHistogram, 6> values;
  std::vector<std::uint64_t> countHits;  // index c: children with c skills, 0..pool size
  std::vector<std::uint64_t> skillHits;  // by position in MergeSetup::pool
  std::uint64_t wantHits = 0;

  void Add(const MergeTally& other);
};

MergeTally EmptyMergeTally(const MergeSetup& setup);

// Runs `count` merges with the merge's own draws and adds them to `tally`. Unlike the
// program's merge, nothing re-seeds the generator from the clock before the skills.
void RunMergeTrials(RandomGenerator& random, const MergeSetup& setup, const WantConditions& want, std::uint64_t count,
                    MergeTally& tally);

MergeTally SimulateMerges(const MergeSetup& setup, const WantConditions& want, const TrialPlan& plan,
                          const TrialProgress& progress = {});
