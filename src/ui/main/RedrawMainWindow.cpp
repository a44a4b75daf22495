#include "ui/main/RedrawMainWindow.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "gfx/DrawNumber.h"

namespace {

bool HasCurrentPet(const AppState& app) { return IsValidSlot(app.currentSlot); }

void DrawFrame(AppState& app) {
  app.mainCanvas.DrawImage(app.mainBackgroundImage, app.mainBackgroundRect);
  app.mainCanvas.DrawImage(app.closeButtonImage, app.closeButtonRect);
  app.mainCanvas.DrawImage(app.minimizeButtonImage, app.minimizeButtonRect);
}

void DrawTabRow(AppState& app) {
  for (int k = 1; k <= 3; ++k) {
    app.tabButtonRect = MakeRect(228 * k - 83, 58, 198, 51);
    app.mainCanvas.DrawImage(app.tabButtonImages[k], app.tabButtonRect);
  }
}

void DrawWashTab(AppState& app) {
  DrawFrame(app);
  app.mainCanvas.DrawImage(app.petPicture, app.currentPetRect);
  app.mainCanvas.DrawImage(app.washButtonImage, app.washButtonRect);
  app.mainCanvas.DrawImage(app.releaseButtonImage, app.releaseButtonRect);
  app.mainCanvas.DrawImage(app.plainPanelImage, app.plainPanelRect);
  app.mainCanvas.DrawImage(app.washPanelImage, app.washPanelRect);
  app.mainCanvas.DrawImage(app.skillGridImage, app.skillGridRect);
  DrawTabRow(app);
  if (HasCurrentPet(app)) {
    DrawSlotAptitudes(app, app.currentSlot);
    DrawSkillIcons(app, SkillGrid::Wash);
  }
  app.mainCanvas.DrawImage(app.certBadge, app.certifiedMarkRect);
}

void DrawMergeTab(AppState& app) {
  DrawFrame(app);
  DrawTabRow(app);
  app.mergePanelRect = MakeRect(36, 120, 846, 468);
  app.mainCanvas.DrawImage(app.mergePanelImage, app.mergePanelRect);
  app.mainCanvas.DrawImage(app.mergeButtonImage, app.mergeButtonRect);
  app.mainCanvas.DrawImage(app.mergeHeads[1], app.mergePetRects[1]);
  app.mainCanvas.DrawImage(app.mergeHeads[2], app.mergePetRects[2]);
  DrawMergeAptitudes(app, 1);
  DrawMergeAptitudes(app, 2);
  DrawSkillIcons(app, SkillGrid::MergeSide1);
  DrawSkillIcons(app, SkillGrid::MergeSide2);
}

void DrawBookTab(AppState& app) {
  DrawFrame(app);
  DrawTabRow(app);
  app.mainCanvas.DrawImage(app.plainPanelImage, app.plainPanelRect);
  app.mainCanvas.DrawImage(app.petPicture, app.currentPetRect);
  app.mainCanvas.DrawImage(app.bookPanelImage, app.bookPanelRect);
  app.mainCanvas.DrawImage(app.learnButtonImage, app.learnButtonRect);
  if (HasCurrentPet(app)) DrawSkillIcons(app, SkillGrid::Book);
  app.mainCanvas.DrawImage(app.bookIcon, app.bookSkillIconRect);
  app.mainCanvas.DrawImage(app.certifyButtonPicture, app.certifyButtonRect);
  app.mainCanvas.DrawImage(app.certBadge, app.certifiedMarkRect);
}

// One grid: its skill list, its icon objects, its scratch place, the first icon's top-left
// corner, the steps between columns and rows, and the icons' size.
struct GridPlace {
  const std::vector<int>* skills;
  std::array<ImageObject, kSkillIconCount + 1>* icons;
  Rect* scratch;
  int x0, y0, dx, dy, size;
};

// The formatter would give every value a line of its own; each grid stays on two lines.
// clang-format off
GridPlace PlaceOf(AppState& app, SkillGrid grid) {
  switch (grid) {
    case SkillGrid::Wash:
      return {&app.currentSkills, &app.currentSkillIcons, &app.currentSkillIconRect,
              app.skillGridRect.x - 1, app.skillGridRect.y - 1, 82, 68, 59};
    case SkillGrid::Book:
      return {&app.currentSkills, &app.currentSkillIcons, &app.currentSkillIconRect,
              app.bookPanelRect.x + 21, app.bookPanelRect.y + 161, 98, 83, 70};
    case SkillGrid::MergeSide1:
      return {&app.mergeSide[1].skills, &app.mergeSkillIcons1, &app.mergeSkillIconRect1,
              app.mergePanelRect.x + 32, app.mergePanelRect.y + 256, 82, 68, 59};
    case SkillGrid::MergeSide2:
      break;
  }
  return {&app.mergeSide[2].skills, &app.mergeSkillIcons2, &app.mergeSkillIconRect2,
          app.mergePanelRect.x + 501, app.mergePanelRect.y + 256, 82, 68, 59};
}
// clang-format on

}  // namespace

void RedrawMainWindow(AppState& app) {
  app.mainCanvas.Clear();
  switch (app.tabState) {
    case TabState::Wash:
      DrawWashTab(app);
      break;
    case TabState::Merge:
      DrawMergeTab(app);
      break;
    case TabState::Book:
      DrawBookTab(app);
      break;
    case TabState::None:
    default:
      return;
  }
  app.mainCanvas.Present();
}

void DrawSlotAptitudes(AppState& app, int slot) {
  if (!IsValidSlot(slot)) return;
  for (int j = 1; j <= kAptitudeCount; ++j)
    DrawNumber(app.digitImages, app.mainCanvas, app.slotAptitudes[slot][j], 598 + 200 * ((j - 1) % 2),
               138 + 43 * ((j - 1) / 2));
}

void DrawMergeAptitudes(AppState& app, int side) {
  if (side < 1 || side > 2) return;
  const int x0 = side == 1 ? 140 : 610;
  for (int j = 1; j <= kAptitudeCount; ++j)
    DrawNumber(app.digitImages, app.mainCanvas, app.mergeSide[side].aptitudes[j], x0 + 200 * ((j - 1) % 2),
               234 + 43 * ((j - 1) / 2));
}

void DrawSkillIcons(AppState& app, SkillGrid grid) {
  const GridPlace place = PlaceOf(app, grid);
  const int count = std::min(static_cast<int>(place.skills->size()), kSkillIconCount);
  for (int k = 1; k <= count; ++k) {
    ImageObject& icon = (*place.icons)[k];
    icon.LoadFromFile(SkillIconPath((*place.skills)[k - 1]));
    const int col = (k - 1) % 4;
    const int row = (k - 1) / 4;
    *place.scratch = MakeRect(place.x0 + place.dx * col, place.y0 + place.dy * row, place.size, place.size);
    app.mainCanvas.DrawImage(icon, *place.scratch);
  }
}
