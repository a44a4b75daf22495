#include "rules/CertifyPicker.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "gfx/StoredPictures.h"
#include "platform/System.h"

namespace {

int CandidateCount(const AppState& app) {
  return std::min<int>(static_cast<int>(app.certifyCandidates.size()), kCertifiableCount);
}

void Close(AppState& app) {
  // Destroying runs the destroyed handler, which unbinds the canvas.
  if (platform::Window* window = app.certifyCanvas.BoundWindow()) window->Destroy();
}

void OnCreated(AppState& app, platform::Window& window) {
  app.certifyBackgroundImage.LoadFromBytes(stored::certifyPickerBackground);
  app.certifyCanvas.Bind(&window, kCertifyPickerWidth, kCertifyPickerHeight);
  app.certifyBackgroundRect = MakeRect(0, 0, kCertifyPickerWidth, kCertifyPickerHeight);
  app.certifyHighlightImage.LoadFromBytes(stored::highlightFrame);
  app.certifyHighlightRect = MakeRect(0, 0, 0, 0);
  for (int i = 1; i <= CandidateCount(app); ++i) {
    const int skill = ParseRecordNumber(app.certifyCandidates[static_cast<std::size_t>(i - 1)]);
    app.certifySkillIcons[i].LoadFromFile(SkillIconPath(skill));
    app.certifyCellRects[i] = CertifyCellRect(i);
  }
  DrawCertifyPicker(app);
}

void OnMouseMoved(AppState& app, int x, int y) {
  // Outside every cell the frame stays where it was.
  if (const int i = CertifyCellAt(x, y, CandidateCount(app))) {
    app.certifyHighlightRect = CertifyHighlightRect(i);
    DrawCertifyPicker(app);
  }
}

void OnLeftReleased(AppState& app, int x, int y) {
  const int i = CertifyCellAt(x, y, CandidateCount(app));
  if (i == 0) return;
  app.certifyChoice = ParseRecordNumber(app.certifyCandidates[static_cast<std::size_t>(i - 1)]);
  CertifySkill(app);
  DrawCertifyPicker(app);
  Close(app);
}

}  // namespace

void DrawCertifyPicker(AppState& app) {
  LayeredCanvas& canvas = app.certifyCanvas;
  canvas.Clear();
  canvas.DrawImage(app.certifyBackgroundImage, app.certifyBackgroundRect);
  for (int i = 1; i <= CandidateCount(app); ++i) canvas.DrawImage(app.certifySkillIcons[i], app.certifyCellRects[i]);
  canvas.DrawImage(app.certifyHighlightImage, app.certifyHighlightRect);
  canvas.Present();
}

platform::WindowForm CertifyPickerForm(AppState& app) {
  platform::WindowForm form;
  form.name = "certify";
  form.title = "法术认证";
  form.width = kCertifyPickerWidth;
  form.height = kCertifyPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kCertifyPickerWidth, kCertifyPickerHeight);
  area.events.mouseMove = [&app](int x, int y) { OnMouseMoved(app, x, y); };
  area.events.leftRelease = [&app](int x, int y) { OnLeftReleased(app, x, y); };
  area.events.rightRelease = [&app](int, int) { Close(app); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&app](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) Close(app);
  };
  form.created = [&app](platform::Window& window) { OnCreated(app, window); };
  form.destroyed = [&app](platform::Window& window) {
    if (app.certifyCanvas.BoundWindow() == &window) app.certifyCanvas.Release();
  };
  return form;
}
