#include "ui/windows/BookSkillPicker.h"

#include <utility>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/Skills.h"
#include "gfx/StoredPictures.h"
#include "rules/CurrentPet.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"

namespace {

constexpr int kColumns = 10;

void OnCreated(AppState& app, platform::Window& window) {
  SeedFromClock(app);
  app.bookPickerCanvas.Bind(&window, kBookPickerWidth, kBookPickerHeight);
  app.bookPickerBackgroundImage.LoadFromBytes(stored::bookPickerBackground);
  app.bookPickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  for (int n = 1; n <= kSkillCount; ++n) app.bookPickerSkillIcons[n].LoadFromFile(SkillIconPath(n));
  app.bookPickerBackgroundRect = MakeRect(0, 0, kBookPickerWidth, kBookPickerHeight);
  // Every opening starts with the full-size frame on skill 1's corner.
  app.bookPickerHighlightRect = MakeRect(22, 22, 74, 74);
  DrawBookSkillPicker(app);
}

void OnMouseMoved(AppState& app, int x, int y) {
  const int skill = BookPickerCellAt(x, y);
  if (skill == 0 || IsSpecialSkill(skill)) return;
  const Rect cell = BookPickerCellRect(skill);
  app.bookPickerHighlightRect = MakeRect(cell.x - 2, cell.y - 2, 64, 64);
  DrawBookSkillPicker(app);
}

void OnLeftReleased(AppState& app, int x, int y) {
  const int skill = BookPickerCellAt(x, y);
  if (skill == 0) return;
  if (IsSpecialSkill(skill)) {
    ShowMessage(app, kSpecialSkillRefusedText);
    return;
  }
  app.bookIcon.LoadFromFile(SkillIconPath(skill));
  app.bookSkill = skill;
  RedrawMainWindow(app);
  ClosePopup(app.bookPickerCanvas);
}

}  // namespace

Rect BookPickerCellRect(int skill) {
  const int k = skill - 1;
  return MakeRect(64 * (k % kColumns) + 22, 64 * (k / kColumns) + 22, 60, 60);
}

int BookPickerCellAt(int x, int y) {
  for (int skill = 1; skill <= kSkillCount; ++skill) {
    const Rect cell = BookPickerCellRect(skill);
    if (IsStrictlyInside(cell, x, y)) return skill;
  }
  return 0;
}

void DrawBookSkillPicker(AppState& app) {
  LayeredCanvas& canvas = app.bookPickerCanvas;
  canvas.Clear();
  canvas.DrawImage(app.bookPickerBackgroundImage, app.bookPickerBackgroundRect);
  for (int n = 1; n <= kSkillCount; ++n) {
    app.bookPickerCellRect = BookPickerCellRect(n);
    canvas.DrawImage(app.bookPickerSkillIcons[n], app.bookPickerCellRect);
  }
  canvas.DrawImage(app.bookPickerHighlightImage, app.bookPickerHighlightRect);
  canvas.Present();
}

platform::WindowForm BookSkillPickerForm(AppState& app) {
  platform::WindowForm form;
  form.name = "bookpicker";
  form.title = "选择兽决";
  form.width = kBookPickerWidth;
  form.height = kBookPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kBookPickerWidth, kBookPickerHeight);
  area.events.mouseMove = [&app](int x, int y) { OnMouseMoved(app, x, y); };
  area.events.leftRelease = [&app](int x, int y) { OnLeftReleased(app, x, y); };
  area.events.rightRelease = [&app](int, int) { ClosePopup(app.bookPickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&app](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(app.bookPickerCanvas);
  };
  form.created = [&app](platform::Window& window) { OnCreated(app, window); };
  form.destroyed = ReleaseOnDestroy(app.bookPickerCanvas);
  return form;
}

void OpenBookSkillPicker(AppState& app) { OpenPopup(app, BookSkillPickerForm(app)); }
