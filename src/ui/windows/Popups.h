#pragma once

#include "core/AppState.h"

// The pop-up windows of the main window. Each Open* opens its window modally over the
// main window, centred on it, and returns when it has closed. While one is open, input
// goes to it only (a replay feeds that window's lines).

// Species picker: fills app.newPetSlot with a rolled pet of the picked species.
// The caller has set app.newPetSlot to the empty slot that was clicked.
void OpenSpeciesPicker(AppState& app);

// Merge pet picker: fills merge side app.mergePickSide (1 or 2) with a roster pet.
void OpenMergePetPicker(AppState& app);

// Book skill picker: puts the picked skill book into app.bookSkill.
void OpenBookSkillPicker(AppState& app);

// Pet detail view: shows the pet just produced by a merge.
void OpenPetDetailView(AppState& app);

// Certify picker: certifies one of app.certifyCandidates for the current pet.
void OpenCertifyPicker(AppState& app);
