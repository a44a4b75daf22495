#include "odds/WashSimulation.h"

#include "core/SpeciesCatalogue.h"
#include "rules/PetRoll.h"

void WashTally::Add(const WashTally& other) {
  trials += other.trials;
  for (std::size_t k = 0; k < valueSums.size(); ++k) valueSums[k] += other.valueSums[k];
  if (countHits.size() < other.countHits.size()) countHits.resize(other.countHits.size(), 0);
  for (std::size_t c = 0; c < other.countHits.size(); ++c) countHits[c] += other.countHits[c];
  for (std::size_t s = 0; s < skillHits.size(); ++s) skillHits[s] += other.skillHits[s];
  wantHits += other.wantHits;
}

WashTally EmptyWashTally() {
  WashTally tally;
  tally.countHits.assign(kMaxDefaultSkills + 1, 0);
  return tally;
}

void RunWashTrials(RandomGenerator& random, int species, const WantConditions& want, std::uint64_t count,
                   WashTally& tally) {
  const bool checkWant = !want.Empty();
  for (std::uint64_t i = 0; i < count; ++i) {
    const RolledPet pet = RollPetValues(random, species);
    for (std::size_t k = 0; k < 5; ++k) tally.valueSums[k] += static_cast<std::uint64_t>(pet.aptitudes[k]);
    tally.valueSums[5] += static_cast<std::uint64_t>(pet.growth);
    ++tally.countHits[static_cast<std::size_t>(pet.skills.count)];
    for (int skill : pet.skills) ++tally.skillHits[static_cast<std::size_t>(skill)];
    if (checkWant &&
        want.Holds(pet.species, pet.aptitudes, pet.growth,
                   std::span<const int>(pet.skills.items.data(), static_cast<std::size_t>(pet.skills.count))))
      ++tally.wantHits;
  }
  tally.trials += count;
}

WashTally SimulateWashes(int species, const WantConditions& want, const TrialPlan& plan,
                         const TrialProgress& progress) {
  return RunTrials<WashTally>(
      plan, EmptyWashTally,
      [species, &want](RandomGenerator& random, std::uint64_t count, WashTally& tally) {
        RunWashTrials(random, species, want, count, tally);
      },
      progress);
}
