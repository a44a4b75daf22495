#include "rules/CertifyPicker.h"

#include <algorithm>
#include <utility>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "gfx/StoredPictures.h"
#include "platform/System.h"

namespace {

int CandidateCount(const AppState& state) {
  return std::min<int>(static_cast<int>(state.certifyCandidates.size()), kCertifiableCount);
}

void Close(AppState& state) {
  // Destroying runs the destroyed handler, which unbinds the canvas.
  if (platform::Window* window = state.certifyCanvas.BoundWindow()) window->Destroy();
}

void OnCreated(AppState& state, platform::Window& window) {
  state.certifyBackgroundImage.LoadFromBytes(stored::certifyPickerBackground);
  state.certifyCanvas.Bind(&window, kCertifyPickerWidth, kCertifyPickerHeight);
  state.certifyBackgroundRect = MakeRect(0, 0, kCertifyPickerWidth, kCertifyPickerHeight);
  state.certifyHighlightImage.LoadFromBytes(stored::highlightFrame);
  state.certifyHighlightRect = MakeRect(0, 0, 0, 0);
  for (int i = 1; i <= CandidateCount(state); ++i) {
    const int skill = ParseRecordNumber(state.certifyCandidates[static_cast<std::size_t>(i - 1)]);
    state.certifySkillIcons[i].LoadFromFile(SkillIconPath(skill));
    state.certifyCellRects[i] = CertifyCellRect(i);
  }
  DrawCertifyPicker(state);
}

void OnMouseMoved(AppState& state, int x, int y) {
  // Outside every cell the frame stays where it was.
  if (const int i = CertifyCellAt(x, y, CandidateCount(state))) {
    state.certifyHighlightRect = CertifyHighlightRect(i);
    DrawCertifyPicker(state);
  }
}

void OnLeftReleased(AppState& state, const CertificationHooks& hooks, int x, int y) {
  const int i = CertifyCellAt(x, y, CandidateCount(state));
  if (i == 0) return;
  state.certifyChoice = ParseRecordNumber(state.certifyCandidates[static_cast<std::size_t>(i - 1)]);
  CertifySkill(state, hooks);
  DrawCertifyPicker(state);
  Close(state);
}

}  // namespace

void DrawCertifyPicker(AppState& state) {
  LayeredCanvas& canvas = state.certifyCanvas;
  canvas.Clear();
  canvas.DrawImage(state.certifyBackgroundImage, state.certifyBackgroundRect);
  for (int i = 1; i <= CandidateCount(state); ++i)
    canvas.DrawImage(state.certifySkillIcons[i], state.certifyCellRects[i]);
  canvas.DrawImage(state.certifyHighlightImage, state.certifyHighlightRect);
  canvas.Present();
}

platform::WindowForm CertifyPickerForm(AppState& state, CertificationHooks hooks) {
  platform::WindowForm form;
  form.name = "certify";
  form.title = "法术认证";
  form.width = kCertifyPickerWidth;
  form.height = kCertifyPickerHeight;
  platform::ControlForm area;
  area.name = "图形按钮1";
  area.place = MakeRect(0, 0, kCertifyPickerWidth, kCertifyPickerHeight);
  area.events.mouseMove = [&state](int x, int y) { OnMouseMoved(state, x, y); };
  // The hooks live as long as the form's handlers do.
  area.events.leftRelease = [&state, hooks = std::move(hooks)](int x, int y) {
    OnLeftReleased(state, hooks, x, y);
  };
  area.events.rightRelease = [&state](int, int) { Close(state); };
  form.controls.push_back(std::move(area));
  // Esc leaves the picker as a right click does: keyboard users have no other way out.
  form.keyPressed = [&state](platform::Window&, platform::Key key) {
    if (key == platform::Key::Escape) Close(state);
  };
  form.created = [&state](platform::Window& window) { OnCreated(state, window); };
  form.destroyed = [&state](platform::Window& window) {
    if (state.certifyCanvas.BoundWindow() == &window) state.certifyCanvas.Release();
  };
  return form;
}
