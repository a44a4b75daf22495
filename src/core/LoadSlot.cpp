#include "core/LoadSlot.h"

#include "core/AppState.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"

SlotLoad LoadSlot(AppState& state, int slot) {
  state.currentSkills.clear();
  if (!IsSlotOccupied(slot)) return SlotLoad::Free;
  const auto fields = ReadRecordFields(slot);
  if (AreRecordFieldsDamaged(fields)) {
    state.slotSpecies[slot] = 0;
    state.slotAptitudes[slot] = AptitudeRow{};
    return SlotLoad::Damaged;
  }
  state.slotSpecies[slot] = ParseRecordNumber(fields[0]);
  for (int k = 1; k <= 5; ++k) state.slotAptitudes[slot][k] = ParseRecordNumber(fields[k]);
  state.slotAptitudes[slot][6] = GrowthFromThousandths(ParseRecordNumber(fields[6]));
  state.currentSkills = RecordSkills(fields);
  return SlotLoad::Loaded;
}
