#include "rules/Release.h"

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

std::string ReleaseFailedText(int slot) {
  return "第" + std::to_string(slot) + "号位置的宠物无法放生：它的数据文件无法删除";
}

ReleaseOutcome ReleasePet(AppState& app) {
  OperationWindows& windows = WindowsOf(app);
  ReleaseOutcome outcome;
  if (!IsSlotOccupied(app.currentSlot)) {
    ShowMessage(app, kNoCurrentPetText);
    windows.RedrawMainWindow();
    return outcome;
  }
  if (!DeleteRecord(app.currentSlot)) {
    // A slot that cannot be cleared (its Data.txt a folder, the slot folder read-only) is
    // named, so that the user knows which one to look at.
    ShowMessage(app, ReleaseFailedText(app.currentSlot));
    windows.RedrawMainWindow();
    return outcome;
  }
  outcome.released = true;
  outcome.releasedSlot = app.currentSlot;
  app.occupiedSlots = ScanOccupiedSlots();
  const int next = app.occupiedSlots.empty() ? 0 : app.occupiedSlots.front();
  app.petPicture.LoadFromBytes(kEmptyByteConstant);
  if (next != 0) {
    const auto fields = ReadRecordFields(next);
    if (!fields.empty()) outcome.newSpeciesText = fields.front();
    if (!outcome.newSpeciesText.empty()) app.petPicture.LoadFromFile(PetPicturePath(outcome.newSpeciesText));
  }
  app.rosterHeads[outcome.releasedSlot].Dispose();
  app.currentSlot = next;
  if (next == 0) {
    // The last pet is gone: nothing describes a current pet any more.
    app.currentSpecies = 0;
    app.currentSkills.clear();
  }
  windows.ShowCertificationLook(IsSlotCertified(app.currentSlot));
  app.rosterFollowsCurrent = 1;
  windows.ReloadRosterPanel();
  windows.RedrawMainWindow();
  return outcome;
}
