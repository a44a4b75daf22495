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

void OnCreated(AppState& state, platform::Window& window) {
  SeedFromClock(state);
  state.mergePickerCanvas.Bind(&window, kMergePickerWidth, kMergePickerHeight);
  state.mergePickerBackgroundImage.LoadFromBytes(stored::mergePickerBackground);
  state.mergePickerHighlightImage.LoadFromBytes(stored::highlightFrame);
  state.mergePickerBackgroundRect = MakeRect(0, 0, kMergePickerWidth, kMergePickerHeight);
  // mergePickerHighlightRect is kept from the last opening on purpose.
  DrawMergePetPicker(state);
}

void OnMouseMoved(AppState& state, int x, int y) {
  const int slot = MergePickerCellAt(x, y);
  if (slot != 0 && IsSlotOccupied(slot)) {
    // A pet already on a side is never framed, and the picture is left as it is.
    if (slot == state.mergeSide[1].slot || slot == state.mergeSide[2].slot) return;
    state.mergePickerHighlightRect = FrameAround(slot);
  }
  DrawMergePetPicker(state);
}

void FillSide(AppState& state, int side, int slot, const std::vector<std::string>& fields) {
  state.mergeSide[side] = MergeSideFromRecord(slot, fields);
  LoadHead(state.mergeHeads[side], fields);
}

void OnLeftReleased(AppState& state, int x, int y) {
  const int side = state.mergePickSide;
  if (side != 1 && side != 2) return;
  const int other = side == 1 ? 2 : 1;
  const int slot = MergePickerCellAt(x, y);
  if (slot == 0 || !IsSlotOccupied(slot)) return;
  const MergePickRefusal refusal = CheckMergePick(slot, state.mergeSide[other].slot, IsSlotCertified);
  if (refusal != MergePickRefusal::None) {
    ShowMessage(state, MergePickRefusalText(refusal));
    return;
  }
  const std::vector<std::string> fields = ReadRecordFields(slot);
  // A record that cannot make a pet never reaches a merge side: the merge would read past it.
  if (AreRecordFieldsDamaged(fields)) {
    ShowMessage(state, kDamagedPetText);
    return;
  }
  FillSide(state, side, slot, fields);
  RedrawMainWindow(state);
  ClosePopup(state.mergePickerCanvas);
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

void DrawMergePetPicker(AppState& state) {
  LayeredCanvas& canvas = state.mergePickerCanvas;
  canvas.Clear();
  canvas.DrawImage(state.mergePickerBackgroundImage, state.mergePickerBackgroundRect);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    state.mergePickerCellRect = MergePickerCellRect(slot);
    if (!IsSlotOccupied(slot)) continue;
    ImageObject& head = state.mergePickerHeadImages[slot];
    LoadHead(head, ReadRecordFields(slot));
    canvas.DrawImage(head, state.mergePickerCellRect);
  }
  canvas.DrawImage(state.mergePickerHighlightImage, state.mergePickerHighlightRect);
  canvas.Present();
}

platform::WindowForm MergePetPickerForm(AppState& state) {
  platform::WindowForm form;
  form.name = "mergepicker";
  form.title = "选择合宠宠物";
  form.width = kMergePickerWidth;
  form.height = kMergePickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kMergePickerWidth, kMergePickerHeight);
  area.events.mouseMove = [&state](int x, int y) { OnMouseMoved(state, x, y); };
  area.events.leftRelease = [&state](int x, int y) { OnLeftReleased(state, x, y); };
  area.events.rightRelease = [&state](int, int) { ClosePopup(state.mergePickerCanvas); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&state](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) ClosePopup(state.mergePickerCanvas);
  };
  form.created = [&state](platform::Window& window) { OnCreated(state, window); };
  form.destroyed = ReleaseOnDestroy(state.mergePickerCanvas);
  return form;
}

void OpenMergePetPicker(AppState& state) { OpenPopup(state, MergePetPickerForm(state)); }
