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

PetRollResult RollPet(AppState& app, int slot, int species) {
  const RolledPet pet = RollPetValues(app.random, species);
  for (int k = 1; k <= 5; ++k) app.slotAptitudes[slot][k] = pet.aptitudes[k - 1];
  app.slotAptitudes[slot][6] = GrowthFromThousandths(pet.growth);
  PetRollResult result;
  result.skills.assign(pet.skills.begin(), pet.skills.end());
  result.written = WriteRecord(slot, FormatRolledPet(pet));
  if (!result.written) ShowMessage(app, kSaveFailedText);
  return result;
}

bool WashCurrentPet(AppState& app) {
  if (!RequireUsableCurrentPet(app, false)) return false;
  app.currentSkills = RollPet(app, app.currentSlot, app.currentSpecies).skills;
  return true;
}

bool CreatePet(AppState& app, int species) {
  if (!IsValidSlot(app.newPetSlot) || !IsValidSpecies(species)) {
    ShowMessage(app, "无法在此位置创建宠物");
    return false;
  }
  if (IsSlotOccupied(app.newPetSlot)) {  // never overwrite a saved pet
    ShowMessage(app, "该位置已有宠物");
    return false;
  }
  RollPet(app, app.newPetSlot, species);
  return true;
}
