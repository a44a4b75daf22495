#pragma once

// The solid-colour fixture pictures of the window tests and the probes that read them back from a
// presented surface: every picture kind has its own colour family, so a probe tells which picture
// (and which glyph, skill, species) a pixel came from.

#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gfx/GfxTestSupport.h"
#include "shared/Rect.h"

namespace gfxtest {

// Colours of the fixture pictures, all opaque.
inline Pixel GlyphColour(int glyph) { return {255, static_cast<std::uint8_t>(20 * glyph), 60, 90}; }
inline Pixel IconColour(int skill) { return {255, 5, static_cast<std::uint8_t>(3 * skill), 200}; }
inline Pixel PetColour(int species) { return {255, 200, static_cast<std::uint8_t>(5 * species), 5}; }
inline Pixel HeadColour(int species) { return {255, 150, static_cast<std::uint8_t>(5 * species), 150}; }

// True when `place` is filled edge to edge with `colour`: its four corner pixels and its centre.
inline ::testing::AssertionResult Filled(cairo_surface_t* surface, Rect place, Pixel colour) {
  const std::pair<int, int> probes[] = {{place.x, place.y},
                                        {place.x + place.width - 1, place.y},
                                        {place.x, place.y + place.height - 1},
                                        {place.x + place.width - 1, place.y + place.height - 1},
                                        {place.x + place.width / 2, place.y + place.height / 2}};
  for (const auto& [x, y] : probes) {
    const Pixel p = ReadPixel(surface, x, y);
    if (!(p == colour))
      return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << p << ", not " << colour;
  }
  return ::testing::AssertionSuccess();
}

// The number drawn with the fixture glyphs whose first box is at (x, y): one character per
// 14-pixel box ('.' for the point) until a box that holds no fixture glyph.
inline std::string NumberAt(cairo_surface_t* surface, int x, int y) {
  std::string shown;
  for (int left = x; left + 14 <= cairo_image_surface_get_width(surface); left += 14) {
    const Pixel p = ReadPixel(surface, left + 7, y + 8);
    const int glyph = p.r / 20;
    if (p.a != 255 || p.g != 60 || p.b != 90 || p.r % 20 != 0 || glyph < 1 || glyph > 11) break;
    // The glyph must fill its 14x17 box exactly.
    if (!(ReadPixel(surface, left, y) == p) || !(ReadPixel(surface, left + 13, y + 16) == p)) {
      shown += '?';
      break;
    }
    shown += glyph == 11 ? '.' : static_cast<char>('0' + glyph - 1);
  }
  return shown;
}

}  // namespace gfxtest
