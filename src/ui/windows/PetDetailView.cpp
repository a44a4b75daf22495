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

void ReadShownRecord(AppState& app) {
  std::vector<std::string> fields = ReadRecordFields(app.mergeSide[1].slot);
  if (fields.empty())
    app.detailPetImage.LoadFromBytes(kEmptyByteConstant);
  else
    app.detailPetImage.LoadFromFile(PetPicturePath(fields[0]));
  const auto skillsFrom = std::min<std::size_t>(fields.size(), kRecordFixedFields);
  app.detailSkillFields.assign(fields.begin() + static_cast<std::ptrdiff_t>(skillsFrom), fields.end());
  // Fields 2..7: the five aptitudes and the growth as stored.
  if (!fields.empty()) fields.erase(fields.begin());
  if (fields.size() > kShownValues) fields.resize(kShownValues);
  app.detailRecordFields = std::move(fields);
  app.detailAptitudes.clear();
  for (const std::string& field : app.detailRecordFields) app.detailAptitudes.push_back(ParseRecordNumber(field));
}

void OnCreated(AppState& app, platform::Window& window) {
  SeedFromClock(app);
  app.detailCanvas.Bind(&window, kDetailWidth, kDetailHeight);
  app.detailBackgroundImage.LoadFromBytes(stored::detailBackground);
  app.detailCloseButtonImage.LoadFromBytes(stored::detailCloseButton);
  app.detailCloseButtonRect = kCloseButtonRest;
  app.detailBackgroundRect = MakeRect(0, 0, kDetailWidth, kDetailHeight);
  app.detailPetRect = MakeRect(73, 148, 234, 242);
  ReadShownRecord(app);
  DrawPetDetailView(app);
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

void DrawPetDetailView(AppState& app) {
  LayeredCanvas& canvas = app.detailCanvas;
  canvas.Clear();
  canvas.DrawImage(app.detailBackgroundImage, app.detailBackgroundRect);
  canvas.DrawImage(app.detailCloseButtonImage, app.detailCloseButtonRect);
  canvas.DrawImage(app.detailPetImage, app.detailPetRect);
  for (std::size_t i = 0; i < app.detailAptitudes.size() && i < kShownValues; ++i) {
    const Rect place = DetailValuePlace(static_cast<int>(i) + 1);
    DrawNumber(app.digitImages, canvas, app.detailAptitudes[i], place.x, place.y);
  }
  // There are icon objects for 15 skills; a longer list shows its first 15.
  const int shown = std::min<int>(static_cast<int>(app.detailSkillFields.size()), kSkillIconCount);
  for (int j = 1; j <= shown; ++j) {
    ImageObject& icon = app.detailSkillIcons[j];
    icon.LoadFromFile(SkillIconPath(ParseRecordNumber(app.detailSkillFields[j - 1])));
    app.detailSkillIconRect = DetailSkillPlace(j);
    canvas.DrawImage(icon, app.detailSkillIconRect);
  }
  canvas.Present();
}

platform::WindowForm PetDetailViewForm(AppState& app) {
  platform::WindowForm form;
  form.name = "detail";
  form.title = "宠物详情";
  form.width = kDetailWidth;
  form.height = kDetailHeight;
  platform::ControlForm close;
  close.name = "图形按钮1";
  close.place = kCloseButtonRest;
  close.events.leftPress = [&app](int, int) {
    app.detailCloseButtonRect = kCloseButtonPressed;
    DrawPetDetailView(app);
  };
  close.events.leftRelease = [&app](int, int) {
    app.detailCloseButtonRect = kCloseButtonRest;
    DrawPetDetailView(app);
  };
  close.events.click = [&app] { ClosePopup(app.detailCanvas); };
  form.controls.push_back(std::move(close));
  form.created = [&app](platform::Window& window) { OnCreated(app, window); };
  form.destroyed = ReleaseOnDestroy(app.detailCanvas);
  return form;
}

void OpenPetDetailView(AppState& app) { OpenPopup(app, PetDetailViewForm(app)); }
