#include "core/StartRoster.h"

#include "core/AppState.h"
#include "core/LoadSlot.h"
#include "core/RosterStore.h"
#include "core/RosterTransactions.h"

bool StartRoster(AppState& state) {
  RecoverRoster();
  state.tabState = TabState::Wash;
  SeedFromClock(state);
  state.occupiedSlots = ScanOccupiedSlots();
  state.currentSlot = state.occupiedSlots.empty() ? 0 : state.occupiedSlots.front();
  LoadSlot(state, state.currentSlot);
  return state.currentSlot != 0;
}
