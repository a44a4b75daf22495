#pragma once

struct AppState;

enum class SlotLoad {
  Free,     // no Data.txt: currentSkills emptied, the slot's tables unchanged
  Loaded,   // slotSpecies, slotAptitudes and currentSkills set from the record
  Damaged,  // Data.txt exists but holds no usable pet (see below)
};

// Brings one slot into the roster tables: slotSpecies[slot], slotAptitudes[slot] and
// currentSkills. A damaged record (fewer than eight fields, or a species outside 1..35)
// sets the slot's species to 0 and its aptitudes to 0.0 and empties currentSkills, so no
// later code takes it for a pet. A slot outside 1..15 loads as Free and touches no table.
SlotLoad LoadSlot(AppState& state, int slot);
