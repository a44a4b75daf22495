#include "ui/windows/RosterPanel.h"

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/LoadSlot.h"
#include "core/RosterStore.h"
#include "gfx/StoredPictures.h"
#include "platform/System.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/HitTest.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/Popups.h"

namespace {

constexpr int kPanelWidth = 410;
constexpr int kPanelHeight = 200;
constexpr int kStripWidth = 408;
constexpr int kStripHeight = 238;
constexpr int kLowestStripY = -45;  // the strip's bottom edge then lies 7 pixels above the panel's
constexpr int kHighlightSize = 74;
constexpr int kPanelOffsetX = 43;  // from the main window's top-left corner
constexpr int kPanelOffsetY = 385;

int Column(int k) { return k % 5; }
int Row(int k) { return k / 5; }

// The highlight at the strip's place plus the remembered cell offset. Without a current pet there
// is nothing to mark, so the frame is not drawn at all.
void HighlightAtRememberedCell(AppState& app) {
  if (!IsValidSlot(app.currentSlot)) {
    app.rosterHighlightRect = MakeRect(0, 0, 0, 0);
    return;
  }
  app.rosterHighlightRect =
      MakeRect(app.rosterStripRect.x + app.rosterHighlightCell[0], app.rosterStripRect.y + app.rosterHighlightCell[1],
               kHighlightSize, kHighlightSize);
}

// LoadSlot of the current pet and its species, as every placement does while following.
void ReloadCurrentPet(AppState& app) {
  LoadSlot(app, app.currentSlot);
  app.currentSpecies = app.slotSpecies[app.currentSlot];
}

platform::Point Cursor(const AppState& app) {
  return app.system != nullptr ? app.system->CursorPosition() : platform::Point{};
}

int PanelLeft(const AppState& app) { return app.rosterPanel != nullptr ? app.rosterPanel->Left() : 0; }
int PanelTop(const AppState& app) { return app.rosterPanel != nullptr ? app.rosterPanel->Top() : 0; }
int MainLeft(const AppState& app) { return app.mainWindow != nullptr ? app.mainWindow->Left() : 0; }
int MainTop(const AppState& app) { return app.mainWindow != nullptr ? app.mainWindow->Top() : 0; }

// A saved pet becomes the current pet of the main window.
void MakeCurrent(AppState& app, int slot) {
  const int k = slot - 1;
  ShowSlotCertificationLook(app, slot);
  app.rosterHighlightRect = MakeRect(84 * Column(k) + app.rosterStripRect.x, 83 * Row(k) + app.rosterStripRect.y,
                                     kHighlightSize, kHighlightSize);
  app.rosterHighlightCell = {84 * Column(k), 83 * Row(k)};
  app.currentSlot = slot;
  ReloadCurrentPet(app);
  app.petPicture.LoadFromBytes(kEmptyByteConstant);
  if (app.slotSpecies[slot] != 0) app.petPicture.LoadFromFile(PetPicturePath(app.slotSpecies[slot]));
  RedrawMainWindow(app);
}

}  // namespace

platform::WindowForm RosterPanelForm(AppState& app) {
  platform::WindowForm form;
  form.name = "roster";
  form.title = "召唤兽列表";
  form.left = MainLeft(app) + kPanelOffsetX;
  form.top = MainTop(app) + kPanelOffsetY;
  form.width = kPanelWidth;
  form.height = kPanelHeight;
  form.owner = app.mainWindow;

  platform::ControlForm button;
  button.name = "图形按钮1";
  button.place = MakeRect(0, 0, kPanelWidth, kPanelHeight);
  button.events.leftPress = [&app](int x, int y) { OnRosterPress(app, x, y); };
  button.events.mouseMove = [&app](int x, int y) { OnRosterMove(app, x, y); };
  button.events.leftRelease = [&app](int x, int y) { OnRosterRelease(app, x, y); };
  form.controls.push_back(std::move(button));

  form.created = [&app](platform::Window& window) {
    app.rosterPanel = &window;
    OnRosterPanelCreated(app);
  };
  form.destroyed = [&app](platform::Window& window) {
    if (app.rosterPanel != &window) return;
    app.rosterPanel = nullptr;
    // The window object goes away after this; the canvas must not present to it any more.
    app.rosterCanvas.Release();
  };
  return form;
}

bool OpenRosterPanel(AppState& app) {
  if (app.rosterPanel != nullptr) return true;
  if (app.system == nullptr || app.mainWindow == nullptr) return false;
  return app.system->Open(RosterPanelForm(app)) != nullptr && app.rosterPanel != nullptr;
}

void CloseRosterPanel(AppState& app) {
  if (app.rosterPanel != nullptr) app.rosterPanel->Destroy();
}

bool IsRosterPanelOpen(const AppState& app) { return app.rosterPanel != nullptr; }

void PlaceRosterPanel(AppState& app) {
  if (app.rosterPanel != nullptr && app.mainWindow != nullptr)
    app.rosterPanel->Move(app.mainWindow->Left() + kPanelOffsetX, app.mainWindow->Top() + kPanelOffsetY);

  if (app.rosterFollowsCurrent == 1 && IsValidSlot(app.currentSlot)) {
    const int k = app.currentSlot - 1;
    app.rosterHighlightRect = MakeRect(84 * Column(k) + app.rosterStripRect.x, 83 * Row(k) + app.rosterStripRect.y,
                                       kHighlightSize, kHighlightSize);
    app.rosterHighlightCell = {84 * Column(k), 83 * Row(k)};
    ReloadCurrentPet(app);
  } else {
    if (app.rosterFollowsCurrent == 1) app.currentSpecies = 0;  // following, but no pet is left
    HighlightAtRememberedCell(app);
  }

  LayoutRosterCells(app);

  if (app.rosterStripRect.y > 0) {
    app.rosterStripRect.y = 0;
    HighlightAtRememberedCell(app);
  }
  if (app.rosterStripRect.y < kLowestStripY) {
    app.rosterStripRect.y = kLowestStripY;
    HighlightAtRememberedCell(app);
  }
}

void LayoutRosterCells(AppState& app) {
  for (int k = 0; k < kSlotCount; ++k)
    app.rosterCellRects[k + 1] = MakeRect(84 * Column(k) + 1, 83 * Row(k) + app.rosterStripRect.y + 1, 70, 70);
}

void DrawRosterPanel(AppState& app) {
  app.rosterCanvas.Clear();
  app.rosterCanvas.DrawImage(app.rosterGridImage, app.rosterStripRect);
  for (int s = 1; s <= kSlotCount; ++s) app.rosterCanvas.DrawImage(app.rosterHeads[s], app.rosterCellRects[s]);
  app.rosterCanvas.DrawImage(app.rosterHighlightImage, app.rosterHighlightRect);
  app.rosterCanvas.Present();
}

void LoadRosterHeads(AppState& app) {
  for (int s = 1; s <= kSlotCount; ++s) app.rosterHeads[s].LoadFromBytes(kEmptyByteConstant);
  for (int s = 1; s <= kSlotCount; ++s) {
    if (!IsSlotOccupied(s)) continue;
    const auto fields = ReadRecordFields(s);
    // A record without fields names no species: the cell shows its empty frame.
    if (!fields.empty() && !fields.front().empty()) app.rosterHeads[s].LoadFromFile(HeadPicturePath(fields.front()));
  }
}

void ResetRosterView(AppState& app) {
  app.rosterStripRect = MakeRect(0, 0, kStripWidth, kStripHeight);
  LayoutRosterCells(app);
  if (!IsValidSlot(app.currentSlot)) {
    app.rosterHighlightRect = MakeRect(0, 0, 0, 0);
    return;
  }
  const int k = app.currentSlot - 1;
  if (app.rosterFollowsCurrent == 1) {
    app.rosterHighlightRect = MakeRect(84 * Column(k), 83 * Row(k), kHighlightSize, kHighlightSize);
    ReloadCurrentPet(app);
  } else {
    // Without regard to rows: for slots 6..15 the frame lies right of the panel until the next
    // placement puts it back on its remembered cell.
    app.rosterHighlightRect = MakeRect(84 * k, 0, kHighlightSize, kHighlightSize);
  }
}

int RosterCellAt(const AppState& app, int x, int y) {
  const int sx = app.rosterStripRect.x;
  const int sy = app.rosterStripRect.y;
  for (int k = 0; k < kSlotCount; ++k) {
    const int c = Column(k);
    const int r = Row(k);
    if (IsStrictlyInside(MakeRect(84 * c + sx + 1, 83 * r + sy + 1, 70, 70), x, y)) return k;
  }
  return -1;
}

void OnRosterPanelCreated(AppState& app) {
  SeedFromClock(app);
  PlaceRosterPanel(app);
  app.rosterCanvas.Bind(app.rosterPanel, kPanelWidth, kPanelHeight);
  app.rosterGridImage.LoadFromBytes(stored::rosterGrid);
  app.rosterHighlightImage.LoadFromBytes(stored::highlightFrame);
  LoadRosterHeads(app);
  ResetRosterView(app);
  DrawRosterPanel(app);
}

void OnRosterPress(AppState& app, int x, int y) {
  app.rosterDragging = 1;
  app.rosterGrabOffsetY = (Cursor(app).y - PanelTop(app)) - app.rosterStripRect.y;
  const int k = RosterCellAt(app, x, y);
  if (k >= 0) app.rosterPressedSlot = k;
}

void OnRosterMove(AppState& app, int x, int y) {
  if (app.rosterDragging == 0) return;
  const int panelLeft = PanelLeft(app);
  const int panelTop = PanelTop(app);
  if (HitTest(app, panelLeft - MainLeft(app), panelTop - MainTop(app), kStripWidth, kPanelHeight))
    app.rosterStripRect = MakeRect(0, (Cursor(app).y - panelTop) - app.rosterGrabOffsetY, kStripWidth, kStripHeight);
  const int k = RosterCellAt(app, x, y);
  if (k >= 0) app.rosterHoverSlot = k;
  PlaceRosterPanel(app);
  LayoutRosterCells(app);
  DrawRosterPanel(app);
}

void OnRosterRelease(AppState& app, int x, int y) {
  app.rosterDragging = 0;
  PlaceRosterPanel(app);
  LayoutRosterCells(app);
  DrawRosterPanel(app);
  // A drag that ended over another cell than it began on picks nothing.
  if (app.rosterPressedSlot != app.rosterHoverSlot) return;

  const int k = RosterCellAt(app, x, y);
  if (k >= 0) {
    const int slot = k + 1;
    if (!IsSlotOccupied(slot)) {
      app.newPetSlot = slot;
      const bool hadCurrentPet = IsValidSlot(app.currentSlot);
      OpenSpeciesPicker(app);
      // The first pet of an empty roster becomes the current pet, as the lowest pet does at
      // start-up: otherwise every operation would go on saying there is none. With a current
      // pet the new one is only added to the roster.
      if (!hadCurrentPet && IsSlotOccupied(slot)) {
        MakeCurrent(app, slot);
        DrawRosterPanel(app);
        app.rosterFollowsCurrent = 0;
      }
      return;
    }
    MakeCurrent(app, slot);
  }
  DrawRosterPanel(app);
  app.rosterFollowsCurrent = 0;
}
