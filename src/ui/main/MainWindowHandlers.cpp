#include "ui/main/MainWindowHandlers.h"

#include "core/AppState.h"
#include "platform/System.h"
#include "rules/Certification.h"
#include "rules/Merge.h"
#include "rules/PetRoll.h"
#include "rules/Release.h"
#include "rules/SkillBook.h"
#include "ui/main/HitTest.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowControls.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/main/TabSwitch.h"
#include "ui/windows/Popups.h"
#include "ui/windows/RosterPanel.h"

namespace {

void LayoutAndRedraw(AppState& app) {
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}

bool IsOnItsTab(const AppState& app, const MainControlRow& control) {
  return control.tab == TabState::None || app.tabState == control.tab;
}

bool IsOverPicture(const AppState& app, const MainControlRow& control) {
  const Rect& r = control.resting;
  return HitTest(app, r.x, r.y, r.width, r.height);
}

void ShowPressed(AppState& app, const MainControlRow& control) { app.*control.picture = control.pressed; }
void ShowResting(AppState& app, const MainControlRow& control) { app.*control.picture = control.resting; }

}  // namespace

void CloseMainWindow(AppState& app) {
  if (app.mainWindow != nullptr) app.mainWindow->Destroy();
}

void OnFrameButtonPress(AppState& app, const MainControlRow& control) {
  if (IsOverPicture(app, control)) ShowPressed(app, control);
  RedrawMainWindow(app);
}

void OnCloseButtonRelease(AppState& app, const MainControlRow& control) {
  if (IsOverPicture(app, control)) {
    CloseMainWindow(app);
    return;
  }
  LayoutAndRedraw(app);
}

void OnMinimizeButtonRelease(AppState& app, const MainControlRow& control) {
  LayoutMainWindow(app);
  if (IsOverPicture(app, control) && app.mainWindow != nullptr) app.mainWindow->Minimize();
  RedrawMainWindow(app);
}

void OnWashOrReleasePress(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  if (IsOverPicture(app, control))
    ShowPressed(app, control);
  else
    LayoutMainWindow(app);
  RedrawMainWindow(app);
}

void OnWashButtonRelease(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  if (IsOverPicture(app, control)) WashCurrentPet(app);
  LayoutAndRedraw(app);
}

void OnReleaseButtonRelease(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  if (!IsOverPicture(app, control)) {
    LayoutAndRedraw(app);
    return;
  }
  ShowResting(app, control);
  ReleasePet(app);
}

void OnMergeLearnCertifyPress(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  ShowPressed(app, control);
  RedrawMainWindow(app);
}

void OnMergeLearnCertifyRelease(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  ShowResting(app, control);
  RedrawMainWindow(app);
}

void OnMergeButtonClick(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  MergePets(app);
}

void OnLearnButtonClick(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  // The button's part: its picture at rest (where its release has already put it).
  ShowResting(app, control);
  OnLearnClicked(app);
}

void OnCertifyButtonClick(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  ToggleCertification(app);
}

void OnMergeSideClick(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  app.mergePickSide = control.id == MainControl::MergeSide1 ? 1 : 2;
  OpenMergePetPicker(app);
}

void OnBookSlotClick(AppState& app, const MainControlRow& control) {
  if (!IsOnItsTab(app, control)) return;
  OpenBookSkillPicker(app);
}

void OnTabSelectorPress(AppState& app, const MainControlRow& control) { OnTabPress(app, control.tab); }
void OnTabSelectorRelease(AppState& app, const MainControlRow& control) { OnTabRelease(app, control.tab); }
void OnTabSelectorClick(AppState& app, const MainControlRow& control) { OnTabClick(app, control.tab); }

void OnTitleStripPress(AppState& app, const MainControlRow&) {
  if (app.mainWindow != nullptr) app.mainWindow->BeginTitleDrag();
}

void OnMainWindowMoved(AppState& app) {
  if (IsRosterPanelOpen(app)) PlaceRosterPanel(app);
}
