#include "rules/Release.h"

#include "core/AppState.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

std::string ReleaseFailedText(int slot) {
  return "第" + std::to_string(slot) + "号位置的宠物无法放生：它的数据文件无法删除";
}

ReleaseOutcome ReleaseCurrentPet(AppState& state) {
  ReleaseOutcome outcome;
  if (!IsSlotOccupied(state.currentSlot)) {
    ShowMessage(state, kNoCurrentPetText);
    return outcome;
  }
  if (!DeleteRecord(state.currentSlot)) {
    // A slot that cannot be cleared (its Data.txt a folder, the slot folder read-only) is
    // named, so that the user knows which one to look at.
    ShowMessage(state, ReleaseFailedText(state.currentSlot));
    return outcome;
  }
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
