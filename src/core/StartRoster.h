#pragma once

struct AppState;

// The roster part of the main window's start: settles what a killed program left (RecoverRoster),
// selects the wash tab, seeds the generator from the clock, lists the occupied slots,
// makes the lowest one current (0 when the roster is empty) and loads it (LoadSlot).
// currentSpecies is left to the roster panel, which sets it when it places itself.
// Returns false when the roster holds no pet.
bool StartRoster(AppState& state);
