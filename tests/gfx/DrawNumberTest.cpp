#include "gfx/DrawNumber.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GfxTestSupport.h"
#include "gfx/LayeredCanvas.h"

namespace {

using gfxtest::FakeWindow;
using gfxtest::ReadPixel;
using gfxtest::ScratchFolder;
using gfxtest::WriteSolidPng;

// Glyph i is a solid picture whose red channel is 20 * i, so every drawn box tells which glyph
// filled it. The pictures are 10x20 on purpose: each must be stretched to its 14x17 box.
int GlyphRed(int glyph) { return 20 * glyph; }

void WriteGlyph(const std::filesystem::path& ui, int glyph, int green = 60) {
  WriteSolidPng(ui / ("text" + std::to_string(glyph) + ".png"), 10, 20, GlyphRed(glyph), green, 90);
}

// The characters shown in consecutive 14x17 boxes from (x, y): a digit, '.', or ' ' for an empty
// box; '?' for a box that is not filled edge to edge with one glyph. Reading stops at the first
// empty box that is followed only by empty boxes.
std::string ReadNumber(cairo_surface_t* surface, int x, int y) {
  const int width = cairo_image_surface_get_width(surface);
  std::string shown;
  for (int left = x; left + 14 <= width; left += 14) {
    const auto p = ReadPixel(surface, left + 7, y + 8);
    if (p.a == 0) {
      shown += ' ';
      continue;
    }
    const bool filled = ReadPixel(surface, left, y) == p && ReadPixel(surface, left + 13, y + 16) == p &&
                        ReadPixel(surface, left, y + 17).a == 0 && ReadPixel(surface, left, y - 1).a == 0;
    const int glyph = p.r / 20;
    if (!filled || p.r % 20 != 0 || glyph < 1 || glyph > 11)
      shown += '?';
    else
      shown += glyph == 11 ? '.' : static_cast<char>('0' + glyph - 1);
  }
  return shown.substr(0, shown.find_last_not_of(' ') + 1);
}

class DrawNumberTest : public testing::Test {
protected:
  void SetUp() override {
    for (int glyph = 1; glyph <= 11; ++glyph) WriteGlyph(ui(), glyph);
    canvas.Bind(&window, 200, 40);
  }
  std::filesystem::path ui() const { return folder.path() / "UI"; }

  ScratchFolder folder;
  gfxtest::ScopedWorkingDirectory inFolder{folder.path()};
  FakeWindow window;
  DigitGlyphs glyphs;
  LayeredCanvas canvas;
};

TEST_F(DrawNumberTest, DrawsTheGlyphsOfEachValueFromItsPoint) {
  const struct {
    double value;
    const char* shown;
  } cases[] = {
      {0, "0"},   {1234, "1234"}, {1.3, "1.3"},   {1.25, "1.25"},   {1.234, "1.234"},
      {1.0, "1"}, {12.5, "12.5"}, {1013, "1013"}, {1.013, "1.013"}, {0.5, "0.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    canvas.Clear();
    DrawNumber(glyphs, canvas, c.value, 5, 10);
    EXPECT_EQ(ReadPixel(canvas.Surface(), 4, 18).a, 0) << "nothing left of the point";
    EXPECT_EQ(ReadNumber(canvas.Surface(), 5, 10), c.shown);
  }
}

TEST_F(DrawNumberTest, MissingPointGlyphLeavesAGapOfOneBox) {
  std::filesystem::remove(ui() / "text11.png");
  DrawNumber(glyphs, canvas, 1.25, 0, 5);
  EXPECT_EQ(ReadNumber(canvas.Surface(), 0, 5), "1 25");
  EXPECT_EQ(glyphs[11].ImageHandle(), nullptr);
}

// The glyphs are read again for every number, so a replaced file shows at the next draw.
TEST_F(DrawNumberTest, ReadsTheGlyphFilesAgainAtEveryCall) {
  DrawNumber(glyphs, canvas, 7, 0, 5);
  EXPECT_EQ(ReadPixel(canvas.Surface(), 7, 13).g, 60);
  WriteGlyph(ui(), 8, 200);
  canvas.Clear();
  DrawNumber(glyphs, canvas, 7, 0, 5);
  EXPECT_EQ(ReadPixel(canvas.Surface(), 7, 13).g, 200);
  std::filesystem::remove(ui() / "text8.png");
  canvas.Clear();
  DrawNumber(glyphs, canvas, 77, 0, 5);
  EXPECT_EQ(ReadNumber(canvas.Surface(), 0, 5), "");
}

}  // namespace
