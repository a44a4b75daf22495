#pragma once

#include <cairo.h>

#include "platform/CairoHandles.h"

namespace platform {

// The pixels of an image surface whose alpha is not 0, as one rectangle per run of such pixels
// in a row. Any alpha counts, 1 included: those pixels take the mouse in a layered window.
// An RGB24 surface is opaque everywhere; a surface of another kind gives an empty region.
RegionPtr OpaqueRegion(cairo_surface_t* surface);

}  // namespace platform
