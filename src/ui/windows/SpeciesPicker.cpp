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

void OnCreated(AppState& app, platform::Window& window) {
  SeedFromClock(app);
  app.speciesPickerCanvas.Bind(&window, kSpeciesPickerWidth, kSpeciesPickerHeight);
  app.speciesPickerBackgroundImage.LoadFromBytes(stored::speciesPickerBackground);
  app.speciesPickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  app.speciesPickerHighlightRect = FrameAround(1);
  app.speciesPickerBackgroundRect = MakeRect(0, 0, kSpeciesPickerWidth, kSpeciesPickerHeight);
  for (int n = 1; n <= kSpeciesCount; ++n) app.speciesHeadImages[n].LoadFromFile(HeadPicturePath(n));
  DrawSpeciesPicker(app);
}

void OnMouseMoved(AppState& app, int x, int y) {
  if (const int species = SpeciesPickerCellAt(x, y)) {
    app.speciesPickerHighlightRect = FrameAround(species);
    DrawSpeciesPicker(app);
    return;
  }
  // The frame stays on the last head for this repaint and goes with the next one.
  DrawSpeciesPicker(app);
  app.speciesPickerHighlightRect = kFrameGone;
}

void OnLeftReleased(AppState& app, int x, int y) {
  const int species = SpeciesPickerCellAt(x, y);
  if (species == 0) return;
  // CreatePet reports its own refusals and failed writes; the picker closes either way.
  CreatePet(app, species);
  LoadRosterHeads(app);
  DrawRosterPanel(app);
  ClosePopup(app.speciesPickerCanvas);
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

void DrawSpeciesPicker(AppState& app) {
  LayeredCanvas& canvas = app.speciesPickerCanvas;
  canvas.Clear();
  canvas.DrawImage(app.speciesPickerBackgroundImage, app.speciesPickerBackgroundRect);
  for (int n = 1; n <= kSpeciesCount; ++n) {
    app.speciesPickerCellRect = SpeciesPickerCellRect(n);
    canvas.DrawImage(app.speciesHeadImages[n], app.speciesPickerCellRect);
  }
  canvas.DrawImage(app.speciesPickerHighlightImage, app.speciesPickerHighlightRect);
  canvas.Present();
}

platform::WindowForm SpeciesPickerForm(AppState& app) {
  platform::WindowForm form;
  form.name = "species";
  form.title = "选择召唤兽";
  form.width = kSpeciesPickerWidth;
  form.height = kSpeciesPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮2";
  area.place = MakeRect(0, 0, kSpeciesPickerWidth, kSpeciesPickerHeight);
  area.events.mouseMove = [&app](int x, int y) { OnMouseMoved(app, x, y); };
  area.events.leftRelease = [&app](int x, int y) { OnLeftReleased(app, x, y); };
  area.events.rightRelease = [&app](int, int) { ClosePopup(app.speciesPickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&app](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(app.speciesPickerCanvas);
  };
  form.created = [&app](platform::Window& window) { OnCreated(app, window); };
  form.destroyed = ReleaseOnDestroy(app.speciesPickerCanvas);
  return form;
}

void OpenSpeciesPicker(AppState& app) { OpenPopup(app, SpeciesPickerForm(app)); }
