#include "ui/windows/PetDetailView.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "gfx/DrawNumber.h"
#include "gfx/StoredPictures.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"

namespace {

constexpr Rect kCloseButtonRest{789, 0, 50, 50};
constexpr Rect kCloseButtonPressed{791, 2, 46, 46};
constexpr int kShownValues = 6;

void ReadShownRecord(AppState& state) {
  std::vector<std::string> fields = ReadRecordFields(state.mergeSide[1].slot);
  if (fields.empty())
    state.detailPetImage.LoadFromBytes(kEmptyByteConstant);
  else
    state.detailPetImage.LoadFromFile(PetPicturePath(fields[0]));
  const auto skillsFrom = std::min<std::size_t>(fields.size(), kRecordFixedFields);
  state.detailSkillFields.assign(fields.begin() + static_cast<std::ptrdiff_t>(skillsFrom), fields.end());
  // Fields 2..7: the five aptitudes and the growth as stored.
  if (!fields.empty()) fields.erase(fields.begin());
  if (fields.size() > kShownValues) fields.resize(kShownValues);
  state.detailRecordFields = std::move(fields);
  state.detailAptitudes.clear();
  for (const std::string& field : state.detailRecordFields)
    state.detailAptitudes.push_back(ParseRecordNumber(field));
}

void OnCreated(AppState& state, platform::Window& window) {
  SeedFromClock(state);
  state.detailCanvas.Bind(&window, kDetailWidth, kDetailHeight);
  state.detailBackgroundImage.LoadFromBytes(stored::detailBackground);
  state.detailCloseButtonImage.LoadFromBytes(stored::detailCloseButton);
  state.detailCloseButtonRect = kCloseButtonRest;
  state.detailBackgroundRect = MakeRect(0, 0, kDetailWidth, kDetailHeight);
  state.detailPetRect = MakeRect(73, 148, 234, 242);
  ReadShownRecord(state);
  DrawPetDetailView(state);
}

}  // namespace

Rect DetailValuePlace(int value) {
  const int k = value - 1;
  return MakeRect(215 * (k % 2) + 493, 39 * (k / 2) + 90, 14, 17);
}

Rect DetailSkillPlace(int skill) {
  const int k = skill - 1;
  return MakeRect(98 * (k % 4) + 403, 83 * (k / 4) + 269, 70, 70);
}

void DrawPetDetailView(AppState& state) {
  LayeredCanvas& canvas = state.detailCanvas;
  canvas.Clear();
  canvas.DrawImage(state.detailBackgroundImage, state.detailBackgroundRect);
  canvas.DrawImage(state.detailCloseButtonImage, state.detailCloseButtonRect);
  canvas.DrawImage(state.detailPetImage, state.detailPetRect);
  for (std::size_t i = 0; i < state.detailAptitudes.size() && i < kShownValues; ++i) {
    const Rect place = DetailValuePlace(static_cast<int>(i) + 1);
    DrawNumber(state.digitImages, canvas, state.detailAptitudes[i], place.x, place.y);
  }
  // There are icon objects for 15 skills; a longer list shows its first 15.
  const int shown = std::min<int>(static_cast<int>(state.detailSkillFields.size()), kSkillIconCount);
  for (int j = 1; j <= shown; ++j) {
    ImageObject& icon = state.detailSkillIcons[j];
    icon.LoadFromFile(SkillIconPath(ParseRecordNumber(state.detailSkillFields[j - 1])));
    state.detailSkillIconRect = DetailSkillPlace(j);
    canvas.DrawImage(icon, state.detailSkillIconRect);
  }
  canvas.Present();
}

platform::WindowForm PetDetailViewForm(AppState& state) {
  platform::WindowForm form;
  form.name = "detail";
  form.title = "宠物详情";
  form.width = kDetailWidth;
  form.height = kDetailHeight;
  platform::ControlForm close;
  close.name = "图形按钮1";
  close.place = kCloseButtonRest;
  close.events.leftPress = [&state](int, int) {
    state.detailCloseButtonRect = kCloseButtonPressed;
    DrawPetDetailView(state);
  };
  close.events.leftRelease = [&state](int, int) {
    state.detailCloseButtonRect = kCloseButtonRest;
    DrawPetDetailView(state);
  };
  close.events.click = [&state] { ClosePopup(state.detailCanvas); };
  form.controls.push_back(std::move(close));
  form.created = [&state](platform::Window& window) { OnCreated(state, window); };
  form.destroyed = ReleaseOnDestroy(state.detailCanvas);
  return form;
}

void OpenPetDetailView(AppState& state) { OpenPopup(state, PetDetailViewForm(state)); }
