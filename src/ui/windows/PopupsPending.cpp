// Temporary bodies of the pop-up entry points, so that the main window links before the
// pop-ups exist. Delete this file when the real definitions land.
#include "ui/windows/Popups.h"

#include "rules/Merge.h"

void OpenSpeciesPicker(AppState&) {}
void OpenMergePetPicker(AppState&) {}
void OpenBookSkillPicker(AppState&) {}
void OpenPetDetailView(AppState&) {}
void OpenCertifyPicker(AppState&) {}

// The core's merge steps only; the pictures and the detail view come with the real one.
void RunMerge(AppState& state) { MergePets(state); }
