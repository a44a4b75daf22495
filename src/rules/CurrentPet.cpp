#include "rules/CurrentPet.h"

#include "core/AppState.h"
#include "core/RosterStore.h"

void ShowMessage(AppState& state, std::string_view text, std::string_view caption) {
  if (state.messages != nullptr) state.messages->Show(text, caption);
}

bool RequireUsableCurrentPet(AppState& state, bool needRecord) {
  if (!IsValidSlot(state.currentSlot) || (needRecord && !IsSlotOccupied(state.currentSlot))) {
    ShowMessage(state, kNoCurrentPetText);
    return false;
  }
  if (IsSlotDamaged(state.currentSlot) || !IsValidSpecies(state.currentSpecies)) {
    ShowMessage(state, kDamagedPetText);
    return false;
  }
  return true;
}
