#include "platform/gtk/InputShape.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace platform {

RegionPtr OpaqueRegion(cairo_surface_t* surface) {
  if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
    return RegionPtr(cairo_region_create());
  }
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format == CAIRO_FORMAT_RGB24) {
    cairo_rectangle_int_t all{0, 0, width, height};
    return RegionPtr(cairo_region_create_rectangle(&all));
  }
  if (format != CAIRO_FORMAT_ARGB32) return RegionPtr(cairo_region_create());
  // Not gdk_cairo_region_create_from_surface: it keeps only pixels more than half opaque.
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  std::vector<cairo_rectangle_int_t> runs;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
    int x = 0;
    while (x < width) {
      std::uint32_t px;
      std::memcpy(&px, row + 4 * x, 4);
      if ((px >> 24) == 0) {
        ++x;
        continue;
      }
      int start = x;
      for (; x < width; ++x) {
        std::memcpy(&px, row + 4 * x, 4);
        if ((px >> 24) == 0) break;
      }
      runs.push_back(cairo_rectangle_int_t{start, y, x - start, 1});
    }
  }
  if (runs.empty()) return RegionPtr(cairo_region_create());
  return RegionPtr(cairo_region_create_rectangles(runs.data(), static_cast<int>(runs.size())));
}

}  // namespace platform
