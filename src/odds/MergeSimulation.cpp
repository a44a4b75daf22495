#include "odds/MergeSimulation.h"

#include <algorithm>

#include "rules/Merge.h"

MergeSetup PrepareMerge(const MergeSide& side1, const MergeSide& side2) {
  MergeSetup setup;
  setup.side1 = side1;
  setup.side2 = side2;
  // The species draw: one RandomInt(1, 10) whose upper half keeps side 1's species.
  const DrawCounts species = RandomIntCounts(1, 10);
  setup.side1SpeciesChance = species.ChanceAtLeast(6);
  if (side1.species == side2.species) setup.side1SpeciesChance = 1.0;
  for (int k = 1; k <= 5; ++k) {
    const ValueRange bounds =
        MergeAptitudeBounds(side1.aptitudes[static_cast<std::size_t>(k)], side2.aptitudes[static_cast<std::size_t>(k)]);
    setup.values[static_cast<std::size_t>(k - 1)] = RandomIntCounts(bounds.lowest, bounds.highest);
  }
  const ValueRange growth = MergeGrowthBounds(side1.species, side2.species);
  setup.values[5] = RandomIntCounts(growth.lowest, growth.highest);
  setup.pool = MergeSkillPool(side1.skills, side2.skills);
  setup.poolJumps = MergeAttemptJumps(setup.pool.size());
  return setup;
}

std::uint64_t ValueHistogram::Total() const {
  std::uint64_t total = 0;
  for (auto c : counts) total += c;
  return total;
}

double ValueHistogram::Mean() const {
  double sum = 0.0;
  for (std::size_t i = 0; i < counts.size(); ++i)
    sum += static_cast<double>(counts[i]) * (low + static_cast<double>(i));
  const std::uint64_t total = Total();
  return total == 0 ? 0.0 : sum / static_cast<double>(total);
}

int ValueHistogram::Quantile(double q) const {
  const double target = q * static_cast<double>(Total());
  std::uint64_t cumulative = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    cumulative += counts[i];
    if (counts[i] != 0 && static_cast<double>(cumulative) >= target) return low + static_cast<int>(i);
  }
  return Highest();
}

int ValueHistogram::Lowest() const {
  for (std::size_t i = 0; i < counts.size(); ++i)
    if (counts[i] != 0) return low + static_cast<int>(i);
  return low;
}

int ValueHistogram::Highest() const {
  for (std::size_t i = counts.size(); i > 0; --i)
    if (counts[i - 1] != 0) return low + static_cast<int>(i - 1);
  return low;
}

void MergeTally::Add(const MergeTally& other) {
  trials += other.trials;
  side1SpeciesHits += other.side1SpeciesHits;
  for (std::size_t k = 0; k < values.size(); ++k)
    for (std::size_t i = 0; i < values[k].counts.size() && i < other.values[k].counts.size(); ++i)
      values[k].counts[i] += other.values[k].counts[i];
  for (std::size_t c = 0; c < countHits.size() && c < other.countHits.size(); ++c) countHits[c] += other.countHits[c];
  for (std::size_t s = 0; s < skillHits.size() && s < other.skillHits.size(); ++s) skillHits[s] += other.skillHits[s];
  wantHits += other.wantHits;
}

MergeTally EmptyMergeTally(const MergeSetup& setup) {
  MergeTally tally;
  for (std::size_t k = 0; k < tally.values.size(); ++k) {
    tally.values[k].low = setup.values[k].low;
    tally.values[k].counts.assign(setup.values[k].rawCounts.size(), 0);
  }
  tally.countHits.assign(setup.pool.size() + 1, 0);
  tally.skillHits.assign(setup.pool.size(), 0);
  return tally;
}

namespace {
void CountValue(ValueHistogram& histogram, int value) {
  // Every value the draw can give has a bin; the bins come from the same draw's distribution.
  const auto index = static_cast<std::size_t>(value - histogram.low);
  if (value >= histogram.low && index < histogram.counts.size()) ++histogram.counts[index];
}
}  // namespace

void RunMergeTrials(RandomGenerator& random, const MergeSetup& setup, const WantConditions& want, std::uint64_t count,
                    MergeTally& tally) {
  // The draws of DrawMergeChild without the re-seeding (a simulation keeps its own sequence),
  // on the pool made once; the skills are counted by their place in it.
  const bool checkWant = !want.Empty();
  const bool madeJumps = setup.poolJumps.MaxCount() >= setup.pool.size() + 2;
  const RandomJumps ownJumps = madeJumps ? RandomJumps() : MergeAttemptJumps(setup.pool.size());
  const RandomJumps& jumps = madeJumps ? setup.poolJumps : ownJumps;
  for (std::uint64_t i = 0; i < count; ++i) {
    MergeChild child = DrawMergeValues(random, setup.side1, setup.side2);
    const std::vector<std::size_t> positions = DrawMergeSkillPositions(random, setup.pool.size(), jumps);
    child.skills.reserve(positions.size());
    for (std::size_t position : positions) {
      child.skills.push_back(setup.pool[position]);
      ++tally.skillHits[position];
    }
    if (child.species == setup.side1.species) ++tally.side1SpeciesHits;
    for (std::size_t k = 0; k < 5; ++k) CountValue(tally.values[k], child.aptitudes[k]);
    CountValue(tally.values[5], child.growth);
    if (child.skills.size() < tally.countHits.size()) ++tally.countHits[child.skills.size()];
    if (checkWant && want.Holds(child.species, child.aptitudes, child.growth, child.skills)) ++tally.wantHits;
  }
  tally.trials += count;
}

MergeTally SimulateMerges(const MergeSetup& setup, const WantConditions& want, const TrialPlan& plan,
                          const TrialProgress& progress) {
  return RunTrials<MergeTally>(
      plan, [&setup] { return EmptyMergeTally(setup); },
      [&setup, &want](RandomGenerator& random, std::uint64_t count, MergeTally& tally) {
        RunMergeTrials(random, setup, want, count, tally);
      },
      progress);
}
