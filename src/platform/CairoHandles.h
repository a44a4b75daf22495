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

}  // namespace platform
