#include <initializer_list>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/LoadSlot.h"
#include "rules/Merge.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/Popups.h"
#include "ui/windows/RosterPanel.h"

void RunMerge(AppState& state) {
  // The rules refuse a merge before anything is deleted when the child cannot be saved; the
  // windows then stay as they were.
  if (!MergePets(state)) return;
  const int slot = state.mergeSide[1].slot;
  LoadSlot(state, slot);
  state.currentSlot = slot;
  state.petPicture.LoadFromFile(PetPicturePath(state.slotSpecies[slot]));
  for (int side : {1, 2}) state.mergeHeads[side].LoadFromBytes(kEmptyByteConstant);
  // A merge side never holds a certified pet, so this is the certify look; the marker decides,
  // as for every pet that becomes current.
  ShowSlotCertificationLook(state, slot);
  OpenPetDetailView(state);
  RedrawMainWindow(state);
  state.rosterFollowsCurrent = 1;
  PlaceRosterPanel(state);
  DrawRosterPanel(state);
}
