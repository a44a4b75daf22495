#include "ui/main/MainWindowHandlers.h"

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "platform/System.h"
#include "rules/Certification.h"
#include "rules/PetRoll.h"
#include "rules/Release.h"
#include "rules/SkillBook.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/HitTest.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/Popups.h"
#include "ui/windows/RosterPanel.h"

namespace {

void LayoutAndRedraw(AppState& app) {
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}

}  // namespace

void CloseMainWindow(AppState& app) {
  if (app.mainWindow != nullptr) app.mainWindow->Destroy();
}

void OnCloseButtonPress(AppState& app) {
  if (HitTest(app, 850, 2, 50, 50)) app.closeButtonRect = MakeRect(852, 4, 46, 46);
  RedrawMainWindow(app);
}

void OnCloseButtonRelease(AppState& app) {
  if (HitTest(app, 850, 2, 50, 50)) {
    CloseMainWindow(app);
    return;
  }
  LayoutAndRedraw(app);
}

void OnMinimizeButtonPress(AppState& app) {
  if (HitTest(app, 795, 2, 50, 50)) app.minimizeButtonRect = MakeRect(797, 4, 46, 46);
  RedrawMainWindow(app);
}

void OnMinimizeButtonRelease(AppState& app) {
  LayoutMainWindow(app);
  if (HitTest(app, 795, 2, 50, 50) && app.mainWindow != nullptr) app.mainWindow->Minimize();
  RedrawMainWindow(app);
}

void OnWashButtonPress(AppState& app) {
  if (app.tabState != 1) return;
  if (HitTest(app, 732, 525, 147, 55))
    app.washButtonRect = MakeRect(734, 527, 143, 51);
  else
    LayoutMainWindow(app);
  RedrawMainWindow(app);
}

void OnWashButtonRelease(AppState& app) {
  if (app.tabState != 1) return;
  if (HitTest(app, 732, 525, 147, 55)) WashCurrentPet(app);
  LayoutAndRedraw(app);
}

void OnReleaseButtonPress(AppState& app) {
  if (app.tabState != 1) return;
  if (HitTest(app, 480, 525, 147, 55))
    app.releaseButtonRect = MakeRect(482, 527, 143, 51);
  else
    LayoutMainWindow(app);
  RedrawMainWindow(app);
}

void ReleasePet(AppState& app) {
  if (app.tabState != 1) return;
  if (!HitTest(app, 480, 525, 147, 55)) {
    LayoutAndRedraw(app);
    return;
  }
  app.releaseButtonRect = MakeRect(480, 525, 147, 55);
  const ReleaseOutcome outcome = ReleaseCurrentPet(app);
  if (!outcome.released) {
    RedrawMainWindow(app);
    return;
  }
  app.petPicture.LoadFromBytes(kEmptyByteConstant);
  if (!outcome.newSpeciesText.empty()) app.petPicture.LoadFromFile(PetPicturePath(outcome.newSpeciesText));
  if (IsValidSlot(outcome.releasedSlot)) app.rosterHeads[outcome.releasedSlot].Dispose();
  ShowSlotCertificationLook(app, app.currentSlot);
  app.rosterFollowsCurrent = 1;
  LoadRosterHeads(app);
  ResetRosterView(app);
  LayoutRosterCells(app);
  DrawRosterPanel(app);
  RedrawMainWindow(app);
}

void OnMergeButtonPress(AppState& app) {
  if (app.tabState != 2) return;
  app.mergeButtonRect = MakeRect(406, 298, 103, 101);
  RedrawMainWindow(app);
}

void OnMergeButtonRelease(AppState& app) {
  if (app.tabState != 2) return;
  app.mergeButtonRect = MakeRect(404, 296, 107, 105);
  RedrawMainWindow(app);
}

void OnMergeButtonClick(AppState& app) {
  if (app.tabState != 2) return;
  RunMerge(app);
}

void OnLearnButtonPress(AppState& app) {
  if (app.tabState != 3) return;
  app.learnButtonRect = MakeRect(737, 147, 95, 49);
  RedrawMainWindow(app);
}

void OnLearnButtonRelease(AppState& app) {
  if (app.tabState != 3) return;
  app.learnButtonRect = MakeRect(735, 145, 99, 53);
  RedrawMainWindow(app);
}

void OnLearnButtonClick(AppState& app) {
  if (app.tabState != 3) return;
  if (OnLearnClicked(app) != LearnOutcome::Learned) return;
  app.learnButtonRect = MakeRect(735, 145, 99, 53);
  app.bookIcon.LoadFromBytes(kEmptyByteConstant);
  RedrawMainWindow(app);
}

void OnCertifyButtonPress(AppState& app) {
  if (app.tabState != 3) return;
  app.certifyButtonRect = MakeRect(708, 537, 162, 47);
  RedrawMainWindow(app);
}

void OnCertifyButtonRelease(AppState& app) {
  if (app.tabState != 3) return;
  app.certifyButtonRect = MakeRect(705, 535, 168, 51);
  RedrawMainWindow(app);
}

void OnCertifyButtonClick(AppState& app) {
  if (app.tabState != 3) return;
  CertificationHooks hooks;
  hooks.openPicker = [&app] { OpenCertifyPicker(app); };
  hooks.showCertification = [&app](bool certified) {
    ShowCertificationLook(app, certified);
    RedrawMainWindow(app);
  };
  ToggleCertification(app, hooks);
}

void OnMergeSideClick(AppState& app, int side) {
  if (app.tabState != 2 || (side != 1 && side != 2)) return;
  app.mergePickSide = side;
  OpenMergePetPicker(app);
}

void OnBookSlotClick(AppState& app) {
  if (app.tabState != 3) return;
  OpenBookSkillPicker(app);
}

void OnTitleStripPress(AppState& app) {
  if (app.mainWindow != nullptr) app.mainWindow->BeginTitleDrag();
}

void OnMainWindowMoved(AppState& app) {
  if (IsRosterPanelOpen(app)) PlaceRosterPanel(app);
}
