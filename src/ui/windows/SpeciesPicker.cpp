#include "ui/windows/SpeciesPicker.h"

#include <utility>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "gfx/StoredPictures.h"
#include "rules/PetRoll.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"
#include "ui/windows/RosterPanel.h"

namespace {

constexpr int kColumns = 7;

// Off the window: after the pointer leaves every head, the next repaint shows no frame.
constexpr Rect kFrameGone{-100, 100, 72, 72};

Rect FrameAround(int species) {
  const Rect cell = SpeciesPickerCellRect(species);
  return MakeRect(cell.x - 3, cell.y - 3, 72, 72);
}

void OnCreated(AppState& state, platform::Window& window) {
  SeedFromClock(state);
  state.speciesPickerCanvas.Bind(&window, kSpeciesPickerWidth, kSpeciesPickerHeight);
  state.speciesPickerBackgroundImage.LoadFromBytes(stored::speciesPickerBackground);
  state.speciesPickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  state.speciesPickerHighlightRect = FrameAround(1);
  state.speciesPickerBackgroundRect = MakeRect(0, 0, kSpeciesPickerWidth, kSpeciesPickerHeight);
  for (int n = 1; n <= kSpeciesCount; ++n) state.speciesHeadImages[n].LoadFromFile(HeadPicturePath(n));
  DrawSpeciesPicker(state);
}

void OnMouseMoved(AppState& state, int x, int y) {
  if (const int species = SpeciesPickerCellAt(x, y)) {
    state.speciesPickerHighlightRect = FrameAround(species);
    DrawSpeciesPicker(state);
    return;
  }
  // The frame stays on the last head for this repaint and goes with the next one.
  DrawSpeciesPicker(state);
  state.speciesPickerHighlightRect = kFrameGone;
}

void OnLeftReleased(AppState& state, int x, int y) {
  const int species = SpeciesPickerCellAt(x, y);
  if (species == 0) return;
  // CreatePet reports its own refusals and failed writes; the picker closes either way.
  CreatePet(state, species);
  LoadRosterHeads(state);
  DrawRosterPanel(state);
  ClosePopup(state.speciesPickerCanvas);
}

}  // namespace

Rect SpeciesPickerCellRect(int species) {
  const int k = species - 1;
  return MakeRect(88 * (k % kColumns) + 32, 78 * (k / kColumns) + 18, 66, 66);
}

int SpeciesPickerCellAt(int x, int y) {
  for (int species = 1; species <= kSpeciesCount; ++species) {
    const Rect cell = SpeciesPickerCellRect(species);
    if (IsStrictlyInside(cell, x, y)) return species;
  }
  return 0;
}

void DrawSpeciesPicker(AppState& state) {
  LayeredCanvas& canvas = state.speciesPickerCanvas;
  canvas.Clear();
  canvas.DrawImage(state.speciesPickerBackgroundImage, state.speciesPickerBackgroundRect);
  for (int n = 1; n <= kSpeciesCount; ++n) {
    state.speciesPickerCellRect = SpeciesPickerCellRect(n);
    canvas.DrawImage(state.speciesHeadImages[n], state.speciesPickerCellRect);
  }
  canvas.DrawImage(state.speciesPickerHighlightImage, state.speciesPickerHighlightRect);
  canvas.Present();
}

platform::WindowForm SpeciesPickerForm(AppState& state) {
  platform::WindowForm form;
  form.name = "species";
  form.title = "选择召唤兽";
  form.width = kSpeciesPickerWidth;
  form.height = kSpeciesPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮2";
  area.place = MakeRect(0, 0, kSpeciesPickerWidth, kSpeciesPickerHeight);
  area.events.mouseMove = [&state](int x, int y) { OnMouseMoved(state, x, y); };
  area.events.leftRelease = [&state](int x, int y) { OnLeftReleased(state, x, y); };
  area.events.rightRelease = [&state](int, int) { ClosePopup(state.speciesPickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&state](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(state.speciesPickerCanvas);
  };
  form.created = [&state](platform::Window& window) { OnCreated(state, window); };
  form.destroyed = ReleaseOnDestroy(state.speciesPickerCanvas);
  return form;
}

void OpenSpeciesPicker(AppState& state) { OpenPopup(state, SpeciesPickerForm(state)); }
