#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

namespace platform {

// One borderless top-level window of the platform layer, opened from a WindowForm by the System.
// The System owns it; the pointer stays valid until the window's destroyed event has run (the
// object itself is freed later, once no handler of it is running).
class Window {
public:
  virtual ~Window() = default;

  // The form's name ("main", "roster", ...): how scripts and tests address the window.
  virtual const std::string& Name() const = 0;

  // Shows `surface` (premultiplied ARGB32 image surface) as the whole window at its current place;
  // the window takes the surface's size and keeps a copy. Pixels of alpha 0 let the mouse through.
  // Returns false if refused (not an image surface, or the window is destroyed).
  virtual bool Present(cairo_surface_t* surface) = 0;

  // Place and size in screen pixels.
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Puts the window at screen (left, top); the position-changed event follows when the place
  // changed (under a window manager the final place may differ and is reported again).
  virtual void Move(int left, int top) = 0;

  // Iconifies the window. Without a window manager this may do nothing.
  virtual void Minimize() = 0;

  // Closes the window: the windows it owns are destroyed first, then its destroyed event runs and
  // a modal opening of it returns. Safe from inside the window's own handlers; a second call does
  // nothing.
  virtual void Destroy() = 0;

  // Shows or hides the control of that name; a hidden control takes no mouse input.
  virtual void SetControlVisible(std::string_view control, bool visible) = 0;

  // Starts the title-strip drag from the current left press: the window follows the pointer
  // until the left button is released. The pressed control gets no release for this press.
  virtual void BeginTitleDrag() = 0;
};

}  // namespace platform
