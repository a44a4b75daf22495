#pragma once

// Decoding helpers for the artwork tests: a PNG from memory or from a file into a cairo image
// surface that frees itself, and a pixel's alpha.

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>

namespace arttest {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Null when the bytes are not a PNG that cairo can decode.
inline Surface DecodePng(std::span<const std::uint8_t> bytes) {
  struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
  } reader{bytes};
  auto read = [](void* closure, unsigned char* out, unsigned int length) -> cairo_status_t {
    auto* r = static_cast<Reader*>(closure);
    if (length > r->bytes.size() - r->pos) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->bytes.data() + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
  };
  Surface s{cairo_image_surface_create_from_png_stream(read, &reader)};
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return s;
}

inline Surface LoadPng(const std::filesystem::path& path) {
  Surface s{cairo_image_surface_create_from_png(path.c_str())};
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return s;
}

inline int Width(const Surface& s) { return cairo_image_surface_get_width(s.get()); }
inline int Height(const Surface& s) { return cairo_image_surface_get_height(s.get()); }

// Alpha 0..255 of pixel (x, y) of an ARGB32 surface.
inline int Alpha(const Surface& s, int x, int y) {
  cairo_surface_flush(s.get());
  const unsigned char* row = cairo_image_surface_get_data(s.get()) + y * cairo_image_surface_get_stride(s.get());
  std::uint32_t word;
  std::memcpy(&word, row + 4 * x, 4);
  return static_cast<int>(word >> 24);
}

}  // namespace arttest
