#include "ui/main/TabSwitch.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "gfx/StoredPictures.h"
#include "platform/System.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowControls.h"
#include "ui/main/MainWindowHandlers.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/RosterPanel.h"

namespace {

constexpr TabState kTabs[] = {TabState::Wash, TabState::Merge, TabState::Book};

const ByteConstant& BrightLook(TabState tab) {
  return tab == TabState::Wash    ? stored::tabWashBright
         : tab == TabState::Merge ? stored::tabMergeBright
                                  : stored::tabBookBright;
}

const ByteConstant& DullLook(TabState tab) {
  return tab == TabState::Wash    ? stored::tabWashDull
         : tab == TabState::Merge ? stored::tabMergeDull
                                  : stored::tabBookDull;
}

bool IsTab(TabState tab) { return tab == TabState::Wash || tab == TabState::Merge || tab == TabState::Book; }

// The tab button's picture: tabButtonImages is indexed 1 wash, 2 merge, 3 book.
ImageObject& TabPicture(AppState& app, TabState tab) { return app.tabButtonImages[static_cast<std::size_t>(tab)]; }

// Tab `shown` bright, the other two dull.
void SetTabLooks(AppState& app, TabState shown) {
  for (TabState tab : kTabs) TabPicture(app, tab).LoadFromBytes(tab == shown ? BrightLook(tab) : DullLook(tab));
}

}  // namespace

void OnTabPress(AppState& app, TabState tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  TabPicture(app, tab).LoadFromBytes(BrightLook(tab));
  RedrawMainWindow(app);
}

void OnTabRelease(AppState& app, TabState tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  TabPicture(app, tab).LoadFromBytes(DullLook(tab));
  RedrawMainWindow(app);
}

void OnTabClick(AppState& app, TabState tab) {
  if (!IsTab(tab) || app.tabState == tab) return;
  if (app.system != nullptr) app.system->Wait(50);
  // Handlers run during the wait; the window may have been closed meanwhile.
  if (app.mainWindow == nullptr || app.tabState == tab) return;
  switch (tab) {
    case TabState::Wash:
      SwitchToWashTab(app);
      break;
    case TabState::Merge:
      SwitchToMergeTab(app);
      break;
    case TabState::Book:
      SwitchToBookTab(app);
      break;
    case TabState::None:
      break;
  }
}

void SwitchToWashTab(AppState& app) {
  app.tabState = TabState::Wash;
  ShowMainControlsOf(app, TabState::Wash);
  SetTabLooks(app, TabState::Wash);
  SeedFromClock(app);
  LayoutMainWindow(app);
  RedrawMainWindow(app);
  if (!OpenRosterPanel(app)) {
    ShowMessage(app, kWindowCreateFailedText, kErrorCaption);
    CloseMainWindow(app);
  }
}

void SwitchToMergeTab(AppState& app) {
  CloseRosterPanel(app);
  app.tabState = TabState::Merge;
  SetTabLooks(app, TabState::Merge);
  ShowMainControlsOf(app, TabState::Merge);
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
  app.tabState = TabState::Book;
  SetTabLooks(app, TabState::Book);
  ShowMainControlsOf(app, TabState::Book);
  app.bookSkill = 0;
  app.mergeSide[1].slot = 0;
  app.mergeSide[2].slot = 0;
  app.bookIcon.LoadFromBytes(kEmptyByteConstant);
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}
