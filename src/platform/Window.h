#pragma once

#include <cairo.h>

namespace platform {

// One top-level borderless window of the platform layer. Backends derive from it.
class Window {
public:
  virtual ~Window() = default;

  // Shows `surface` (premultiplied ARGB32) as the whole window at its current place; the window
  // takes the surface's size. Pixels of alpha 0 let the mouse through. Returns false if refused.
  virtual bool Present(cairo_surface_t* surface) = 0;
};

}  // namespace platform
