#include "rules/Release.h"

#include "core/AppState.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

ReleaseOutcome ReleaseCurrentPet(AppState& state) {
  ReleaseOutcome outcome;
  if (!IsSlotOccupied(state.currentSlot)) {
    ShowMessage(state, kNoCurrentPetText);
    return outcome;
  }
  if (!DeleteRecord(state.currentSlot)) return outcome;
  outcome.released = true;
  outcome.releasedSlot = state.currentSlot;
  state.occupiedSlots = ScanOccupiedSlots();
  state.currentSlot = state.occupiedSlots.empty() ? 0 : state.occupiedSlots.front();
  if (state.currentSlot != 0) {
    const auto fields = ReadRecordFields(state.currentSlot);
    if (!fields.empty()) outcome.newSpeciesText = fields.front();
  } else {
    // The last pet is gone: nothing describes a current pet any more.
    state.currentSpecies = 0;
    state.currentSkills.clear();
  }
  state.rosterFollowsCurrent = 1;
  return outcome;
}
