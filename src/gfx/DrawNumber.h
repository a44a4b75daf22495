#pragma once

#include <array>

#include "gfx/ImageObject.h"

class LayeredCanvas;

inline constexpr int kGlyphCount = 11;  // digit glyphs 0..9 and the decimal point

// The digit glyph pictures: 1..10 the digits 0..9, 11 the decimal point (entry 0 unused).
using DigitGlyphs = std::array<ImageObject, kGlyphCount + 1>;

// Draws `value` on `canvas` as a row of digit glyphs, the first glyph's top-left corner at (x, y).
// The eleven glyph pictures (./UI/text1.png .. text11.png: digits 0..9, then the decimal point)
// are reloaded into `glyphs` at every call, so a replaced glyph file shows at once. Each
// glyph fills a 14x17 box and the next starts 14 pixels to the right; a missing glyph leaves a gap.
// Whole numbers show all their digits, others up to three decimals (1.25 shows 1.25, 1.0 shows 1).
void DrawNumber(DigitGlyphs& glyphs, LayeredCanvas& canvas, double value, int x, int y);
