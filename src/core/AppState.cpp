#include "core/AppState.h"

void SeedFromClock(AppState& state) {
  if (state.clock != nullptr) state.random.SeedFromClock(*state.clock);
}
