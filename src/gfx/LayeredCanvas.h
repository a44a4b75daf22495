#pragma once

#include <cairo.h>

#include "gfx/ImageObject.h"
#include "shared/Rect.h"

namespace platform {
class Window;
}  // namespace platform

// The off-screen surface of one per-pixel-alpha window: a premultiplied ARGB32 image the size of
// the window. A redraw is Clear, DrawImage of each picture in stacking order, Present. Move-only.
class LayeredCanvas {
public:
  LayeredCanvas() = default;
  ~LayeredCanvas();
  LayeredCanvas(const LayeredCanvas&) = delete;
  LayeredCanvas& operator=(const LayeredCanvas&) = delete;
  LayeredCanvas(LayeredCanvas&& other) noexcept;
  LayeredCanvas& operator=(LayeredCanvas&& other) noexcept;

  // Attaches to `window` with a fresh, fully transparent surface of width x height pixels; an
  // earlier binding is released first. A size that is not positive leaves the canvas without a
  // surface (it then draws nothing and presents nothing).
  void Bind(platform::Window* window, int width, int height);

  // Frees the surface and forgets the window; harmless on an unbound canvas.
  void Release();

  // Makes every surface pixel fully transparent (0 in all four channels).
  void Clear();

  // Draws `image` stretched into `place` (surface pixels), source over what is there, clipped at
  // the surface's edge. An empty picture or an empty place draws nothing.
  void DrawImage(const ImageObject& image, Rect place);

  // Hands the whole surface to the bound window. Returns false without a window or surface, or
  // when the window refuses it.
  bool Present();

  // The surface, for reading its pixels (tests, screenshots); null while unbound. Draw only
  // through the canvas.
  cairo_surface_t* Surface() const { return surface_; }

  platform::Window* BoundWindow() const { return window_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  platform::Window* window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* context_ = nullptr;
};
