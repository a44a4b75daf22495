#include "gfx/DrawNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "gfx/LayeredCanvas.h"
#include "shared/Rect.h"
#include "shared/TruncateToInt32.h"

namespace {

constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 17;
constexpr int kPointGlyph = 11;

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Digits 0..9 are glyphs 1..10. Any other character (a sign, an exponent) shows as 0, the
// values drawn are never negative.
int GlyphOf(char c) { return (c >= '0' && c <= '9') ? c - '0' + 1 : 1; }

}  // namespace

void DrawNumber(DigitGlyphs& glyphs, LayeredCanvas& canvas, double value, int x, int y) {
  for (int i = 1; i <= kGlyphCount; ++i) glyphs[i].LoadFromFile("./UI/text" + std::to_string(i) + ".png");

  Rect box = MakeRect(x, y, kGlyphWidth, kGlyphHeight);
  auto drawGlyph = [&](int glyph) {
    canvas.DrawImage(glyphs[glyph], box);
    box.x += kGlyphWidth;
  };

  // Whether the number is fractional is read from its single-precision text; the digits drawn
  // come from the double-precision text.
  const std::string shortText = Format("%.6g", static_cast<float>(value));
  const std::string fullText = Format("%.13g", value);
  if (shortText.find('.') == std::string::npos) {
    for (char c : fullText) drawGlyph(GlyphOf(c));
    return;
  }

  for (char c : std::to_string(TruncateToInt32(value))) drawGlyph(GlyphOf(c));
  drawGlyph(kPointGlyph);
  const std::size_t point = fullText.find('.');
  const std::string fraction = point == std::string::npos ? "" : fullText.substr(point + 1);
  // One, two or three decimals as the text has them; of a longer fraction only the first.
  const std::size_t shown = (fraction.size() == 2 || fraction.size() == 3) ? fraction.size() : 1;
  for (std::size_t k = 0; k < shown && k < fraction.size(); ++k) drawGlyph(GlyphOf(fraction[k]));
}
