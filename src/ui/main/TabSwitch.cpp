#include "ui/main/TabSwitch.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "gfx/StoredPictures.h"
#include "platform/System.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowHandlers.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/RosterPanel.h"

namespace {

const ByteConstant& BrightLook(int tab) {
  return tab == 1 ? stored::tabWashBright : tab == 2 ? stored::tabMergeBright : stored::tabBookBright;
}

const ByteConstant& DullLook(int tab) {
  return tab == 1 ? stored::tabWashDull : tab == 2 ? stored::tabMergeDull : stored::tabBookDull;
}

bool IsTab(int tab) { return tab >= 1 && tab <= 3; }

// Tab `shown` bright, the other two dull.
void SetTabLooks(AppState& app, int shown) {
  for (int k = 1; k <= 3; ++k) app.tabButtonImages[k].LoadFromBytes(k == shown ? BrightLook(k) : DullLook(k));
}

void SetControlVisible(AppState& app, const char* control, bool visible) {
  if (app.mainWindow != nullptr) app.mainWindow->SetControlVisible(control, visible);
}

}  // namespace

void OnTabPress(AppState& app, int tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  app.tabButtonImages[tab].LoadFromBytes(BrightLook(tab));
  RedrawMainWindow(app);
}

void OnTabRelease(AppState& app, int tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  app.tabButtonImages[tab].LoadFromBytes(DullLook(tab));
  RedrawMainWindow(app);
}

void OnTabClick(AppState& app, int tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  if (app.system != nullptr) app.system->Wait(50);
  // Handlers run during the wait; the window may have been closed meanwhile.
  if (app.mainWindow == nullptr || app.tabState == tab) return;
  switch (tab) {
    case 1:
      SwitchToWashTab(app);
      break;
    case 2:
      SwitchToMergeTab(app);
      break;
    case 3:
      SwitchToBookTab(app);
      break;
  }
}

void SwitchToWashTab(AppState& app) {
  app.tabState = 1;
  SetControlVisible(app, "图形按钮7", false);
  SetControlVisible(app, "图形按钮8", false);
  SetControlVisible(app, "图形按钮3", false);
  SetTabLooks(app, 1);
  SeedFromClock(app);
  LayoutMainWindow(app);
  RedrawMainWindow(app);
  if (!OpenRosterPanel(app)) {
    if (app.messages != nullptr) app.messages->Show(kWindowCreateFailedText, kErrorCaption);
    CloseMainWindow(app);
  }
}

void SwitchToMergeTab(AppState& app) {
  CloseRosterPanel(app);
  app.tabState = 2;
  SetTabLooks(app, 2);
  SetControlVisible(app, "图形按钮7", false);
  SetControlVisible(app, "图形按钮8", false);
  SetControlVisible(app, "图形按钮3", true);
  for (int side = 1; side <= 2; ++side) {
    MergeSide& s = app.mergeSide[side];
    s.species = 0;
    s.slot = 0;
    app.mergeHeads[side].LoadFromBytes(kEmptyByteConstant);
    s.aptitudes.fill(0.0);
    s.skills.clear();
  }
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}

void SwitchToBookTab(AppState& app) {
  OpenRosterPanel(app);  // a failure here is not reported: the book tab works without the panel
  app.tabState = 3;
  SetTabLooks(app, 3);
  SetControlVisible(app, "图形按钮7", true);
  SetControlVisible(app, "图形按钮8", true);
  SetControlVisible(app, "图形按钮3", false);
  app.bookSkill = 0;
  app.mergeSide[1].slot = 0;
  app.mergeSide[2].slot = 0;
  app.bookIcon.LoadFromBytes(kEmptyByteConstant);
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}
