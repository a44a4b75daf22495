#include "rules/Merge.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "core/DataPaths.h"
#include "core/LoadSlot.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "core/RosterTransactions.h"
#include "core/TableSizes.h"
#include "rules/CurrentPet.h"
#include "rules/PetRoll.h"
#include "shared/TruncateToInt32.h"

ValueRange MergeAptitudeBounds(double a, double b) {
  return ValueRange{TruncateToInt32(a - (b - a) / 3.0), TruncateToInt32(b + (b - a) / 3.0)};
}

ValueRange MergeGrowthBounds(int species1, int species2) {
  const ValueRange growth1 = SpeciesRange(species1, 6);
  const ValueRange growth2 = SpeciesRange(species2, 6);
  return ValueRange{std::min(growth1.lowest, growth2.lowest), std::max(growth1.highest, growth2.highest)};
}

std::vector<int> MergeSkillPool(std::span<const int> list1, std::span<const int> list2) {
  std::vector<int> pool;
  pool.reserve(list1.size() + list2.size());
  std::unordered_set<int> seen;
  seen.reserve(list1.size() + list2.size());
  for (const auto list : {list1, list2})
    for (int skill : list)
      if (seen.insert(skill).second) pool.push_back(skill);
  return pool;
}

RandomJumps MergeAttemptJumps(std::size_t poolSize) { return RandomJumps(poolSize + 2); }

std::vector<std::size_t> DrawMergeSkillPositions(RandomGenerator& random, std::size_t poolSize,
                                                 const RandomJumps& jumps) {
  if (poolSize == 0) return {};
  const int size = static_cast<int>(poolSize);
  for (;;) {
    const int n = random.RandomInt(1, size);
    // The n picks are RandomInt(1, n): one draw each, none when n is 1. A rejected attempt
    // needs none of their values, so the generator jumps over them; an attempt is rejected
    // far more often than accepted (thousands of times for a pool of 2000).
    const std::uint32_t beforePicks = random.State();
    const std::size_t pickDraws = n > 1 ? static_cast<std::size_t>(n) : 0u;
    if (n < size / 2) {
      // x >= size/2 > n >= y: never accepted; x and y are one draw each.
      jumps.Skip(random, pickDraws + 2u);
      continue;
    }
    jumps.Skip(random, pickDraws);
    const int x = random.RandomInt(size / 2, size);
    const int y = random.RandomInt(n / 2, n);
    if (x != y) continue;
    // Accepted: draw the picks for real, then carry on after x and y as before.
    const std::uint32_t afterAttempt = random.State();
    random.Seed(beforePicks);
    std::vector<std::size_t> positions;
    std::vector<bool> taken(static_cast<std::size_t>(n), false);
    for (int i = 0; i < n; ++i) {
      const auto position = static_cast<std::size_t>(random.RandomInt(1, n) - 1);
      if (!taken[position]) {
        taken[position] = true;
        positions.push_back(position);
      }
    }
    random.Seed(afterAttempt);
    return positions;
  }
}

std::vector<int> MergeSkills(RandomGenerator& random, std::span<const int> list1, std::span<const int> list2,
                             const Reseed& reseed) {
  if (reseed) reseed(random);
  const std::vector<int> pool = MergeSkillPool(list1, list2);
  std::vector<int> picks;
  for (std::size_t position : DrawMergeSkillPositions(random, pool.size(), MergeAttemptJumps(pool.size())))
    picks.push_back(pool[position]);
  return picks;
}

MergeChild DrawMergeValues(RandomGenerator& random, const MergeSide& side1, const MergeSide& side2) {
  std::array<ValueRange, 5> bounds;
  for (int k = 1; k <= 5; ++k) bounds[k - 1] = MergeAptitudeBounds(side1.aptitudes[k], side2.aptitudes[k]);
  const ValueRange growth = MergeGrowthBounds(side1.species, side2.species);
  MergeChild child;
  child.species = random.RandomInt(1, 10) <= 5 ? side2.species : side1.species;
  for (int k = 0; k < 5; ++k) child.aptitudes[k] = random.RandomInt(bounds[k].lowest, bounds[k].highest);
  child.growth = random.RandomInt(growth.lowest, growth.highest);
  return child;
}

MergeChild DrawMergeChild(RandomGenerator& random, const MergeSide& side1, const MergeSide& side2,
                          const Reseed& reseed) {
  MergeChild child = DrawMergeValues(random, side1, side2);
  child.skills = MergeSkills(random, side1.skills, side2.skills, reseed);
  return child;
}

bool MergePets(AppState& app) {
  MergeSide& side1 = app.mergeSide[1];
  MergeSide& side2 = app.mergeSide[2];
  if (side1.species == 0 || side2.species == 0) {
    ShowMessage(app, kMergeNeedsPetsText);
    return false;
  }
  if (!IsValidSpecies(side1.species) || !IsValidSpecies(side2.species) || !IsValidSlot(side1.slot) ||
      !IsValidSlot(side2.slot)) {
    ShowMessage(app, kDamagedPetText);
    return false;
  }
  if (side1.slot == side2.slot) {
    ShowMessage(app, kMergeSameSlotText);
    return false;
  }
  if (side1.skills.empty() && side2.skills.empty()) {
    ShowMessage(app, kMergeNoSkillsText);
    return false;
  }
  const Reseed fromClock = [&app](RandomGenerator& random) {
    if (app.clock != nullptr) random.SeedFromClock(*app.clock);
  };
  MergeChild child = DrawMergeChild(app.random, side1, side2, fromClock);
  app.mergeResultSkills = child.skills;
  // All or nothing: the child in side 1's slot and side 2's record gone, or both parents as
  // they were.
  if (!CommitMerge(side1.slot, side2.slot, FormatRecord(child.species, child.aptitudes, child.growth, child.skills))) {
    ShowMessage(app, kSaveFailedText);
    return false;
  }
  for (MergeSide* side : {&side1, &side2}) {
    side->species = 0;
    side->aptitudes.fill(0.0);
    side->skills.clear();
  }
  // The child in side 1's slot becomes the current pet and is shown.
  OperationWindows& windows = WindowsOf(app);
  const int slot = side1.slot;
  LoadSlot(app, slot);
  app.currentSlot = slot;
  app.petPicture.LoadFromFile(PetPicturePath(app.slotSpecies[slot]));
  for (int side : {1, 2}) app.mergeHeads[side].LoadFromBytes(kEmptyByteConstant);
  // A merge side never holds a certified pet, so this is the certify look; the marker decides,
  // as for every pet that becomes current.
  windows.ShowCertificationLook(IsSlotCertified(slot));
  windows.OpenPetDetailView();
  windows.RedrawMainWindow();
  app.rosterFollowsCurrent = 1;
  windows.PlaceRosterPanel();
  return true;
}
