#include "rules/CurrentPet.h"

#include "core/AppState.h"
#include "core/RosterStore.h"

bool RequireUsableCurrentPet(AppState& app, bool needRecord) {
  if (app.currentSlot < 1 || app.currentSlot > kSlotCount ||
      (needRecord && !IsSlotOccupied(app.currentSlot))) {
    ShowMessage(app, kNoCurrentPetText);
    return false;
  }
  if (IsSlotDamaged(app.currentSlot) || app.currentSpecies < 1 || app.currentSpecies > kSpeciesCount) {
    ShowMessage(app, kDamagedPetText);
    return false;
  }
  return true;
}
