#pragma once

#include <string_view>
#include <vector>

#include "platform/WindowForm.h"

namespace platform {

// The mouse rules of one window's controls, shared by every backend: the gtk backend feeds it real
// events, the headless one injected events, so both run the same code. Positions are window pixels.
//
// - A left press goes to the first-listed visible control under the pointer, which then keeps the
//   mouse: moves and the left release go to it wherever the pointer is.
// - A click follows that release when it lies inside the same control (still visible).
// - Without a pressed control, moves and left releases go to the control under the pointer.
// - A right release goes to the control under the pointer.
// "Under the pointer" is the half-open place [x, x + width) x [y, y + height).
//
// A handler may destroy the window: the backend then calls Close() and nothing more is delivered.
// The object must outlive the handler call; the backends free windows only once no handler runs.
class ControlDispatch {
public:
  explicit ControlDispatch(std::vector<ControlForm> controls);

  void LeftPress(int x, int y);
  void LeftRelease(int x, int y);
  void Move(int x, int y);
  void RightRelease(int x, int y);

  // Forgets the pressed control (the window manager took the pointer for a drag).
  void CancelCapture();

  // The window is being destroyed: from now on every event is dropped.
  void Close();

  // Shows or hides a control; false when there is no control of that name.
  bool SetVisible(std::string_view name, bool visible);

  // Index of the first-listed visible control under (x, y), or -1.
  int ControlAt(int x, int y) const;

  // True when the control under (x, y) asks for a hand pointer.
  bool HandCursorAt(int x, int y) const;

private:
  std::vector<ControlForm> controls_;
  int captured_ = -1;
  bool closed_ = false;
};

}  // namespace platform
