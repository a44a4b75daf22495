#include "rules/CurrentPet.h"

#include "core/AppState.h"
#include "core/RosterStore.h"

bool RequireUsableCurrentPet(AppState& state, bool needRecord) {
  if (state.currentSlot < 1 || state.currentSlot > kSlotCount ||
      (needRecord && !IsSlotOccupied(state.currentSlot))) {
    ShowMessage(state, kNoCurrentPetText);
    return false;
  }
  if (IsSlotDamaged(state.currentSlot) || state.currentSpecies < 1 || state.currentSpecies > kSpeciesCount) {
    ShowMessage(state, kDamagedPetText);
    return false;
  }
  return true;
}
