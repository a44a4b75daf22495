#pragma once

#include "core/AppState.h"

// The pop-up windows of the main window. Each Open* opens its window modally over the
// main window, centred on it, and returns when it has closed. While one is open, input
// goes to it only (a replay feeds that window's lines).

// Species picker: fills state.newPetSlot with a rolled pet of the picked species.
// The caller has set state.newPetSlot to the empty slot that was clicked.
void OpenSpeciesPicker(AppState& state);

// Merge pet picker: fills merge side state.mergePickSide (1 or 2) with a roster pet.
void OpenMergePetPicker(AppState& state);

// Book skill picker: puts the picked skill book into state.bookSkill.
void OpenBookSkillPicker(AppState& state);

// Pet detail view: shows the pet just produced by a merge.
void OpenPetDetailView(AppState& state);

// Certify picker: certifies one of state.certifyCandidates for the current pet.
void OpenCertifyPicker(AppState& state);
