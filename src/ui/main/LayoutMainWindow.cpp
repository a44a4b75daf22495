#include "ui/main/LayoutMainWindow.h"

#include "core/AppState.h"
#include "ui/main/MainWindowControls.h"

void LayoutMainWindow(AppState& app) {
  const TabState tab = app.tabState;
  if (tab != TabState::Wash && tab != TabState::Merge && tab != TabState::Book) return;

  app.mainBackgroundRect = MakeRect(0, 0, 920, 620);
  // Every button picture of the tab (the close and minimise buttons on every tab) at rest.
  for (const MainControlRow& control : MainControls())
    if (control.picture != nullptr && (control.tab == TabState::None || control.tab == tab))
      app.*control.picture = control.resting;

  switch (tab) {
    case TabState::Wash:
      app.plainPanelRect = MakeRect(35, 375, 424, 221);
      app.skillGridRect = MakeRect(528, 277, 303, 192);
      app.washPanelRect = MakeRect(470, 110, 423, 475);
      app.currentPetRect = MakeRect(128, 119, 234, 242);
      app.certifiedMarkRect = MakeRect(526, 275, 37, 37);
      break;
    case TabState::Merge:
      app.mergePetRects[1] = MakeRect(54, 135, 88, 86);
      app.mergePetRects[2] = MakeRect(525, 135, 89, 86);
      break;
    case TabState::Book:
      app.bookPanelRect = MakeRect(474, 130, 409, 464);
      app.bookSkillIconRect = MakeRect(485, 141, 66, 66);
      app.certifiedMarkRect = MakeRect(494, 289, 46, 46);
      break;
    case TabState::None:
      break;
  }
}
