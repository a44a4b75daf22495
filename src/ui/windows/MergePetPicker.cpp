#include "ui/windows/MergePetPicker.h"

#include <string>
#include <utility>
#include <vector>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "gfx/StoredPictures.h"
#include "rules/CurrentPet.h"
#include "rules/MergeSideFromRecord.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"

namespace {

constexpr int kColumns = 5;

Rect FrameAround(int slot) {
  const Rect cell = MergePickerCellRect(slot);
  return MakeRect(cell.x - 2, cell.y - 2, 74, 74);
}

// The head of a saved pet, from its record's field 1 as stored; blank without fields.
void LoadHead(ImageObject& head, const std::vector<std::string>& fields) {
  if (fields.empty())
    head.LoadFromBytes(kEmptyByteConstant);
  else
    head.LoadFromFile(HeadPicturePath(fields[0]));
}

void OnCreated(AppState& app, platform::Window& window) {
  SeedFromClock(app);
  app.mergePickerCanvas.Bind(&window, kMergePickerWidth, kMergePickerHeight);
  app.mergePickerBackgroundImage.LoadFromBytes(stored::mergePickerBackground);
  app.mergePickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  app.mergePickerBackgroundRect = MakeRect(0, 0, kMergePickerWidth, kMergePickerHeight);
  // mergePickerHighlightRect is kept from the last opening on purpose.
  DrawMergePetPicker(app);
}

void OnMouseMoved(AppState& app, int x, int y) {
  const int slot = MergePickerCellAt(x, y);
  if (slot != 0 && IsSlotOccupied(slot)) {
    // A pet already on a side is never framed, and the picture is left as it is.
    if (slot == app.mergeSide[1].slot || slot == app.mergeSide[2].slot) return;
    app.mergePickerHighlightRect = FrameAround(slot);
  }
  DrawMergePetPicker(app);
}

void FillSide(AppState& app, int side, int slot, const std::vector<std::string>& fields) {
  app.mergeSide[side] = MergeSideFromRecord(slot, fields);
  LoadHead(app.mergeHeads[side], fields);
}

void OnLeftReleased(AppState& app, int x, int y) {
  const int side = app.mergePickSide;
  if (side != 1 && side != 2) return;
  const int other = side == 1 ? 2 : 1;
  const int slot = MergePickerCellAt(x, y);
  if (slot == 0 || !IsSlotOccupied(slot)) return;
  const MergePickRefusal refusal = CheckMergePick(slot, app.mergeSide[other].slot, IsSlotCertified);
  if (refusal != MergePickRefusal::None) {
    ShowMessage(app, MergePickRefusalText(refusal));
    return;
  }
  const std::vector<std::string> fields = ReadRecordFields(slot);
  // A record that cannot make a pet never reaches a merge side: the merge would read past it.
  if (AreRecordFieldsDamaged(fields)) {
    ShowMessage(app, kDamagedPetText);
    return;
  }
  FillSide(app, side, slot, fields);
  RedrawMainWindow(app);
  ClosePopup(app.mergePickerCanvas);
}

}  // namespace

Rect MergePickerCellRect(int slot) {
  const int k = slot - 1;
  return MakeRect(84 * (k % kColumns) + 16, 83 * (k / kColumns) + 19, 70, 70);
}

int MergePickerCellAt(int x, int y) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const Rect cell = MergePickerCellRect(slot);
    if (IsStrictlyInside(cell, x, y)) return slot;
  }
  return 0;
}

void DrawMergePetPicker(AppState& app) {
  LayeredCanvas& canvas = app.mergePickerCanvas;
  canvas.Clear();
  canvas.DrawImage(app.mergePickerBackgroundImage, app.mergePickerBackgroundRect);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    app.mergePickerCellRect = MergePickerCellRect(slot);
    if (!IsSlotOccupied(slot)) continue;
    ImageObject& head = app.mergePickerHeadImages[slot];
    LoadHead(head, ReadRecordFields(slot));
    canvas.DrawImage(head, app.mergePickerCellRect);
  }
  canvas.DrawImage(app.mergePickerHighlightImage, app.mergePickerHighlightRect);
  canvas.Present();
}

platform::WindowForm MergePetPickerForm(AppState& app) {
  platform::WindowForm form;
  form.name = "mergepicker";
  form.title = "选择合宠宠物";
  form.width = kMergePickerWidth;
  form.height = kMergePickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kMergePickerWidth, kMergePickerHeight);
  area.events.mouseMove = [&app](int x, int y) { OnMouseMoved(app, x, y); };
  area.events.leftRelease = [&app](int x, int y) { OnLeftReleased(app, x, y); };
  area.events.rightRelease = [&app](int, int) { ClosePopup(app.mergePickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&app](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(app.mergePickerCanvas);
  };
  form.created = [&app](platform::Window& window) { OnCreated(app, window); };
  form.destroyed = ReleaseOnDestroy(app.mergePickerCanvas);
  return form;
}

void OpenMergePetPicker(AppState& app) { OpenPopup(app, MergePetPickerForm(app)); }
