#include "rules/PetRoll.h"

#include "core/AppState.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

RolledPet RollPetValues(RandomGenerator& random, int species) {
  const SpeciesRow& row = SpeciesCatalogueRow(species);
  RolledPet pet;
  pet.species = species;
  for (int k = 1; k <= 5; ++k) pet.aptitudes[k - 1] = random.RandomInt(row.ranges[k].lowest, row.ranges[k].highest);
  pet.growth = random.RandomInt(row.ranges[6].lowest, row.ranges[6].highest);
  pet.skills = RollSpeciesSkills(random, species);
  return pet;
}

std::string FormatRolledPet(const RolledPet& pet) {
  return FormatRecord(pet.species, pet.aptitudes, pet.growth,
                      std::span<const int>(pet.skills.items.data(), static_cast<std::size_t>(pet.skills.count)));
}

PetRollResult RollPet(AppState& state, int slot, int species) {
  const RolledPet pet = RollPetValues(state.random, species);
  for (int k = 1; k <= 5; ++k) state.slotAptitudes[slot][k] = pet.aptitudes[k - 1];
  state.slotAptitudes[slot][6] = GrowthFromThousandths(pet.growth);
  PetRollResult result;
  result.skills.assign(pet.skills.begin(), pet.skills.end());
  result.written = WriteRecord(slot, FormatRolledPet(pet));
  if (!result.written) ShowMessage(state, kSaveFailedText);
  return result;
}

bool WashCurrentPet(AppState& state) {
  if (!RequireUsableCurrentPet(state, false)) return false;
  state.currentSkills = RollPet(state, state.currentSlot, state.currentSpecies).skills;
  return true;
}

bool CreatePet(AppState& state, int species) {
  if (!IsValidSlot(state.newPetSlot) || !IsValidSpecies(species)) {
    ShowMessage(state, "无法在此位置创建宠物");
    return false;
  }
  if (IsSlotOccupied(state.newPetSlot)) {  // never overwrite a saved pet
    ShowMessage(state, "该位置已有宠物");
    return false;
  }
  RollPet(state, state.newPetSlot, species);
  return true;
}
