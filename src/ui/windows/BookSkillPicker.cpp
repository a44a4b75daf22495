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

void OnCreated(AppState& state, platform::Window& window) {
  SeedFromClock(state);
  state.bookPickerCanvas.Bind(&window, kBookPickerWidth, kBookPickerHeight);
  state.bookPickerBackgroundImage.LoadFromBytes(stored::bookPickerBackground);
  state.bookPickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  for (int n = 1; n <= kSkillCount; ++n) state.bookPickerSkillIcons[n].LoadFromFile(SkillIconPath(n));
  state.bookPickerBackgroundRect = MakeRect(0, 0, kBookPickerWidth, kBookPickerHeight);
  // Every opening starts with the full-size frame on skill 1's corner.
  state.bookPickerHighlightRect = MakeRect(22, 22, 74, 74);
  DrawBookSkillPicker(state);
}

void OnMouseMoved(AppState& state, int x, int y) {
  const int skill = BookPickerCellAt(x, y);
  if (skill == 0 || IsSpecialSkill(skill)) return;
  const Rect cell = BookPickerCellRect(skill);
  state.bookPickerHighlightRect = MakeRect(cell.x - 2, cell.y - 2, 64, 64);
  DrawBookSkillPicker(state);
}

void OnLeftReleased(AppState& state, int x, int y) {
  const int skill = BookPickerCellAt(x, y);
  if (skill == 0) return;
  if (IsSpecialSkill(skill)) {
    ShowMessage(state, kSpecialSkillRefusedText);
    return;
  }
  state.bookIcon.LoadFromFile(SkillIconPath(skill));
  state.bookSkill = skill;
  RedrawMainWindow(state);
  ClosePopup(state.bookPickerCanvas);
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

void DrawBookSkillPicker(AppState& state) {
  LayeredCanvas& canvas = state.bookPickerCanvas;
  canvas.Clear();
  canvas.DrawImage(state.bookPickerBackgroundImage, state.bookPickerBackgroundRect);
  for (int n = 1; n <= kSkillCount; ++n) {
    state.bookPickerCellRect = BookPickerCellRect(n);
    canvas.DrawImage(state.bookPickerSkillIcons[n], state.bookPickerCellRect);
  }
  canvas.DrawImage(state.bookPickerHighlightImage, state.bookPickerHighlightRect);
  canvas.Present();
}

platform::WindowForm BookSkillPickerForm(AppState& state) {
  platform::WindowForm form;
  form.name = "bookpicker";
  form.title = "选择兽决";
  form.width = kBookPickerWidth;
  form.height = kBookPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kBookPickerWidth, kBookPickerHeight);
  area.events.mouseMove = [&state](int x, int y) { OnMouseMoved(state, x, y); };
  area.events.leftRelease = [&state](int x, int y) { OnLeftReleased(state, x, y); };
  area.events.rightRelease = [&state](int, int) { ClosePopup(state.bookPickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&state](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(state.bookPickerCanvas);
  };
  form.created = [&state](platform::Window& window) { OnCreated(state, window); };
  form.destroyed = ReleaseOnDestroy(state.bookPickerCanvas);
  return form;
}

void OpenBookSkillPicker(AppState& state) { OpenPopup(state, BookSkillPickerForm(state)); }
