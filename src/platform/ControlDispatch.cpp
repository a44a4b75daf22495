#include "platform/ControlDispatch.h"

#include <functional>
#include <utility>

namespace platform {
namespace {

bool Inside(const Rect& r, int x, int y) {
  // Half-open: neighbouring hot areas that share an edge never both claim a pixel.
  return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

// Calls a copy, so that a handler that changes the control list (it cannot today) or destroys
// the window does not run from freed storage.
template <typename F, typename... Args>
void Call(const F& handler, Args... args) {
  if (handler) {
    F copy = handler;
    copy(args...);
  }
}

}  // namespace

ControlDispatch::ControlDispatch(std::vector<ControlForm> controls) : controls_(std::move(controls)) {}

int ControlDispatch::ControlAt(int x, int y) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].visible && Inside(controls_[i].place, x, y)) return static_cast<int>(i);
  }
  return -1;
}

bool ControlDispatch::HandCursorAt(int x, int y) const {
  int i = ControlAt(x, y);
  return i >= 0 && controls_[i].handCursor;
}

void ControlDispatch::LeftPress(int x, int y) {
  if (closed_) return;
  captured_ = ControlAt(x, y);
  if (captured_ >= 0) Call(controls_[captured_].events.leftPress, x, y);
}

void ControlDispatch::LeftRelease(int x, int y) {
  if (closed_) return;
  int target = captured_;
  bool pressed = target >= 0;
  // Released before the handlers run: a pop-up opened from them starts with a free mouse.
  captured_ = -1;
  if (!pressed) target = ControlAt(x, y);
  if (target < 0) return;
  Call(controls_[target].events.leftRelease, x, y);
  if (closed_ || !pressed) return;
  const ControlForm& control = controls_[target];
  if (control.visible && Inside(control.place, x, y)) Call(control.events.click);
}

void ControlDispatch::Move(int x, int y) {
  if (closed_) return;
  int target = captured_ >= 0 ? captured_ : ControlAt(x, y);
  if (target >= 0) Call(controls_[target].events.mouseMove, x, y);
}

void ControlDispatch::RightRelease(int x, int y) {
  if (closed_) return;
  int target = ControlAt(x, y);
  if (target >= 0) Call(controls_[target].events.rightRelease, x, y);
}

void ControlDispatch::CancelCapture() { captured_ = -1; }

void ControlDispatch::Close() {
  closed_ = true;
  captured_ = -1;
}

bool ControlDispatch::SetVisible(std::string_view name, bool visible) {
  for (ControlForm& control : controls_) {
    if (control.name == name) {
      control.visible = visible;
      return true;
    }
  }
  return false;
}

}  // namespace platform
