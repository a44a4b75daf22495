#include "ui/main/LayoutMainWindow.h"

#include "core/AppState.h"

void LayoutMainWindow(AppState& app) {
  const int tab = app.tabState;
  if (tab < 1 || tab > 3) return;

  app.mainBackgroundRect = MakeRect(0, 0, 920, 620);
  app.closeButtonRect = MakeRect(850, 2, 50, 50);
  app.minimizeButtonRect = MakeRect(795, 2, 50, 50);

  switch (tab) {
    case 1:
      app.plainPanelRect = MakeRect(35, 375, 424, 221);
      app.skillGridRect = MakeRect(528, 277, 303, 192);
      app.washPanelRect = MakeRect(470, 110, 423, 475);
      app.currentPetRect = MakeRect(128, 119, 234, 242);
      app.releaseButtonRect = MakeRect(480, 525, 147, 55);
      app.certifiedMarkRect = MakeRect(526, 275, 37, 37);
      app.washButtonRect = MakeRect(732, 525, 147, 55);
      break;
    case 2:
      app.mergeButtonRect = MakeRect(404, 296, 107, 105);
      app.mergePetRects[1] = MakeRect(54, 135, 88, 86);
      app.mergePetRects[2] = MakeRect(525, 135, 89, 86);
      break;
    case 3:
      app.bookPanelRect = MakeRect(474, 130, 409, 464);
      app.learnButtonRect = MakeRect(735, 145, 99, 53);
      app.certifyButtonRect = MakeRect(705, 535, 168, 51);
      app.bookSkillIconRect = MakeRect(485, 141, 66, 66);
      app.certifiedMarkRect = MakeRect(494, 289, 46, 46);
      break;
  }
}
