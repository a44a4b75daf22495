#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shared/Rect.h"

namespace platform {

class Window;

enum class ControlKind {
  PictureButton,     // an invisible hot area; the canvas paints the look
  TransparentLabel,  // an invisible hot area that reports only a left press (the title strip)
};

// The events a control reports; an empty function means the control does not report it (it still
// takes the mouse where it lies). Positions are window pixels.
struct ControlEvents {
  std::function<void(int x, int y)> leftPress;
  std::function<void(int x, int y)> leftRelease;
  std::function<void()> click;  // a release inside the control that got the press, after the release
  std::function<void(int x, int y)> mouseMove;
  std::function<void(int x, int y)> rightRelease;
};

// The keys a window is told about; the backends pass on no other key.
enum class Key {
  Escape,
};

// A control covers the half-open area [x, x + width) x [y, y + height) of its window.
struct ControlForm {
  std::string name;
  ControlKind kind = ControlKind::PictureButton;
  Rect place;
  bool visible = true;
  bool handCursor = false;  // the pointer shows a hand over the control
  ControlEvents events;
};

// Everything needed to open a window. Controls are listed in the form's order: a press goes to the
// first-listed visible control under the pointer.
struct WindowForm {
  std::string name;
  std::string title;  // shown by the window manager; the owner's when empty (the name is for lookups)
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Window* owner = nullptr;  // an owned window stays above its owner and is destroyed before it
  std::vector<ControlForm> controls;
  std::function<void(Window&)> created;          // runs inside the opening
  std::function<void(Window&)> positionChanged;  // after every change of place
  std::function<void(Window&)> destroyed;        // last event; the Window is gone afterwards
  std::function<void(Window&, Key)> keyPressed;  // a key pressed while the window has the keyboard
};

}  // namespace platform
