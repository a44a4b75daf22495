#include "core/AppState.h"

void SeedFromClock(AppState& state) {
  if (state.clock != nullptr) state.random.SeedFromClock(*state.clock);
}

std::unique_ptr<AppState> InitAppState() { return std::make_unique<AppState>(); }

void ReleaseAppState(std::unique_ptr<AppState>& state) {
  // The canvases may still name windows that the window system has freed: forget them first.
  if (state != nullptr) {
    state->mainWindow = nullptr;
    state->rosterPanel = nullptr;
  }
  state.reset();
}
