#include "rules/CurrentPet.h"

#include "core/AppState.h"
#include "core/RosterStore.h"

bool RequireUsableCurrentPet(AppState& app, bool needRecord) {
  if (!IsValidSlot(app.currentSlot) || (needRecord && !IsSlotOccupied(app.currentSlot))) {
    ShowMessage(app, kNoCurrentPetText);
    return false;
  }
  if (IsSlotDamaged(app.currentSlot) || !IsValidSpecies(app.currentSpecies)) {
    ShowMessage(app, kDamagedPetText);
    return false;
  }
  return true;
}
