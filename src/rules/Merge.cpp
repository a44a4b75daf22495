#include "rules/Merge.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"
#include "rules/PetRoll.h"

namespace {

int TruncateToInt(double value) {
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  return static_cast<int>(std::trunc(std::clamp(value, kLow, kHigh)));
}

// Keeps the first occurrence of each skill, in order.
void RemoveDuplicates(std::vector<int>& list) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (std::find(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(kept), list[i]) ==
        list.begin() + static_cast<std::ptrdiff_t>(kept))
      list[kept++] = list[i];
  }
  list.resize(kept);
}

bool IsValidSpecies(int species) { return species >= 1 && species <= kSpeciesCount; }
bool IsValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

}  // namespace

ValueRange MergeAptitudeBounds(double a, double b) {
  return ValueRange{TruncateToInt(a - (b - a) / 3.0), TruncateToInt(b + (b - a) / 3.0)};
}

ValueRange MergeGrowthBounds(int species1, int species2) {
  const ValueRange growth1 = SpeciesRange(species1, 6);
  const ValueRange growth2 = SpeciesRange(species2, 6);
  return ValueRange{std::min(growth1.lowest, growth2.lowest), std::max(growth1.highest, growth2.highest)};
}

std::vector<int> MergeSkills(RandomGenerator& random, std::span<const int> list1, std::span<const int> list2,
                             const Reseed& reseed) {
  if (reseed) reseed(random);
  // The pool is the same for every attempt; only the draws differ.
  std::vector<int> pool(list1.begin(), list1.end());
  pool.insert(pool.end(), list2.begin(), list2.end());
  RemoveDuplicates(pool);
  const int poolSize = static_cast<int>(pool.size());
  if (poolSize == 0) return {};
  std::vector<int> picks;
  picks.reserve(pool.size());
  for (;;) {
    const int n = random.RandomInt(1, poolSize);
    picks.clear();
    for (int i = 0; i < n; ++i) picks.push_back(pool[static_cast<std::size_t>(random.RandomInt(1, n) - 1)]);
    const int x = random.RandomInt(poolSize / 2, poolSize);
    const int y = random.RandomInt(n / 2, n);
    // Removing the repeated picks draws nothing, so only an accepted attempt needs it; the
    // odds simulation runs millions of rejected attempts.
    if (x == y) {
      RemoveDuplicates(picks);
      return picks;
    }
  }
}

MergeChild DrawMergeChild(RandomGenerator& random, const MergeSide& side1, const MergeSide& side2,
                          const Reseed& reseed) {
  std::array<ValueRange, 5> bounds;
  for (int k = 1; k <= 5; ++k) bounds[k - 1] = MergeAptitudeBounds(side1.aptitudes[k], side2.aptitudes[k]);
  const ValueRange growth = MergeGrowthBounds(side1.species, side2.species);
  MergeChild child;
  child.species = random.RandomInt(1, 10) <= 5 ? side2.species : side1.species;
  for (int k = 0; k < 5; ++k) child.aptitudes[k] = random.RandomInt(bounds[k].lowest, bounds[k].highest);
  child.growth = random.RandomInt(growth.lowest, growth.highest);
  child.skills = MergeSkills(random, side1.skills, side2.skills, reseed);
  return child;
}

bool MergePets(AppState& state) {
  MergeSide& side1 = state.mergeSide[1];
  MergeSide& side2 = state.mergeSide[2];
  if (side1.species == 0 || side2.species == 0) {
    ShowMessage(state, kMergeNeedsPetsText);
    return false;
  }
  if (!IsValidSpecies(side1.species) || !IsValidSpecies(side2.species) || !IsValidSlot(side1.slot) ||
      !IsValidSlot(side2.slot)) {
    ShowMessage(state, kDamagedPetText);
    return false;
  }
  if (side1.slot == side2.slot) {
    ShowMessage(state, kMergeSameSlotText);
    return false;
  }
  if (side1.skills.empty() && side2.skills.empty()) {
    ShowMessage(state, kMergeNoSkillsText);
    return false;
  }
  const Reseed fromClock = [&state](RandomGenerator& random) {
    if (state.clock != nullptr) random.SeedFromClock(*state.clock);
  };
  MergeChild child = DrawMergeChild(state.random, side1, side2, fromClock);
  state.mergeResultSkills = child.skills;
  // The child replaces side 1 atomically before side 2 goes, so a failed write loses no pet.
  if (!WriteRecord(side1.slot, FormatRecord(child.species, child.aptitudes, child.growth, child.skills))) {
    ShowMessage(state, kSaveFailedText);
    return false;
  }
  DeleteRecord(side2.slot);
  for (MergeSide* side : {&side1, &side2}) {
    side->species = 0;
    side->aptitudes.fill(0.0);
    side->skills.clear();
  }
  return true;
}
