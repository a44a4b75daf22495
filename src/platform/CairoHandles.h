#pragma once

#include <cairo.h>

#include <memory>

namespace platform {

// Owning handles of the cairo objects that the backends keep.
struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

struct RegionDeleter {
  void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using RegionPtr = std::unique_ptr<cairo_region_t, RegionDeleter>;

// A copy of a presented image surface, as ARGB32: the canvas goes on drawing into its own surface
// after presenting. Null for anything but a non-empty image surface.
inline SurfacePtr CopyPresentedSurface(cairo_surface_t* surface) {
  if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
    return nullptr;
  }
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  if (width <= 0 || height <= 0) return nullptr;
  SurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  {
    ContextPtr cr(cairo_create(copy.get()));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr.get(), surface, 0, 0);
    cairo_paint(cr.get());
  }
  cairo_surface_flush(copy.get());
  return copy;
}

}  // namespace platform
