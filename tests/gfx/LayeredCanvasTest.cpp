#include "gfx/LayeredCanvas.h"

#include <gtest/gtest.h>

#include "GfxTestSupport.h"

namespace {

using gfxtest::FakeWindow;
using gfxtest::kTransparent;
using gfxtest::Pixel;
using gfxtest::ReadPixel;
using gfxtest::SolidPngBlob;

constexpr Pixel kOpaqueRed{255, 255, 0, 0};
constexpr Pixel kOpaqueBlue{255, 0, 0, 255};

ImageObject Solid(int width, int height, int r, int g, int b, int a = 255) {
  ImageObject image;
  EXPECT_TRUE(image.LoadFromBytes(SolidPngBlob(width, height, r, g, b, a)));
  return image;
}

// The opaque pixels of the surface, as a bounding box; empty when none.
Rect OpaqueBox(cairo_surface_t* surface) {
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  int left = w, top = h, right = -1, bottom = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (ReadPixel(surface, x, y).a != 0) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return MakeRect(left, top, right - left + 1, bottom - top + 1);
}

TEST(LayeredCanvas, BindMakesATransparentSurfaceOfTheWindowSize) {
  FakeWindow window;
  LayeredCanvas canvas;
  canvas.Bind(&window, 30, 20);
  ASSERT_NE(canvas.Surface(), nullptr);
  EXPECT_EQ(cairo_image_surface_get_format(canvas.Surface()), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(cairo_image_surface_get_width(canvas.Surface()), 30);
  EXPECT_EQ(cairo_image_surface_get_height(canvas.Surface()), 20);
  EXPECT_EQ(OpaqueBox(canvas.Surface()), Rect{});
}

// The certification badge: a 50x43 picture fills a 37x37 place exactly, nothing outside it.
TEST(LayeredCanvas, StretchesAPictureIntoItsPlace) {
  FakeWindow window;
  LayeredCanvas canvas;
  canvas.Bind(&window, 600, 320);
  canvas.DrawImage(Solid(50, 43, 255, 0, 0), MakeRect(526, 275, 37, 37));
  EXPECT_EQ(OpaqueBox(canvas.Surface()), MakeRect(526, 275, 37, 37));
  for (const auto& [x, y] : {std::pair{526, 275}, {562, 311}, {526, 311}, {562, 275}, {544, 293}})
    EXPECT_EQ(ReadPixel(canvas.Surface(), x, y), kOpaqueRed) << x << "," << y;
}

TEST(LayeredCanvas, ClipsAtTheSurfaceEdge) {
  const struct {
    Rect place;
    Rect visible;
  } cases[] = {
      {MakeRect(15, 12, 10, 10), MakeRect(15, 12, 5, 8)},
      {MakeRect(-4, -6, 10, 10), MakeRect(0, 0, 6, 4)},
      {MakeRect(-50, 5, 10, 10), Rect{}},
      {MakeRect(25, 5, 10, 10), Rect{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.place.x << "," << c.place.y);
    FakeWindow window;
    LayeredCanvas canvas;
    canvas.Bind(&window, 20, 20);
    canvas.DrawImage(Solid(10, 10, 0, 0, 255), c.place);
    EXPECT_EQ(OpaqueBox(canvas.Surface()), c.visible);
    if (c.visible.width > 0) {
      EXPECT_EQ(ReadPixel(canvas.Surface(), c.visible.x, c.visible.y), kOpaqueBlue);
    }
  }
}

// Later draws cover earlier ones, blended by the picture's own alpha (premultiplied source over).
TEST(LayeredCanvas, BlendsSourceOverInDrawOrder) {
  FakeWindow window;
  LayeredCanvas canvas;
  canvas.Bind(&window, 10, 10);
  canvas.DrawImage(Solid(10, 10, 0, 0, 255), MakeRect(0, 0, 10, 10));
  canvas.DrawImage(Solid(5, 10, 255, 0, 0, 0), MakeRect(0, 0, 5, 10));    // clear pixels
  canvas.DrawImage(Solid(5, 10, 255, 0, 0, 255), MakeRect(5, 0, 5, 10));  // opaque red
  canvas.DrawImage(Solid(2, 2, 255, 0, 0, 102), MakeRect(0, 0, 2, 2));    // 40% red
  EXPECT_EQ(ReadPixel(canvas.Surface(), 4, 5), kOpaqueBlue);
  EXPECT_EQ(ReadPixel(canvas.Surface(), 5, 5), kOpaqueRed);
  const Pixel mixed = ReadPixel(canvas.Surface(), 1, 1);
  EXPECT_EQ(mixed.a, 255);
  EXPECT_NEAR(mixed.r, 102, 1);
  EXPECT_EQ(mixed.g, 0);
  EXPECT_NEAR(mixed.b, 153, 1);
}

TEST(LayeredCanvas, EmptyPicturesAndEmptyPlacesDrawNothing) {
  FakeWindow window;
  LayeredCanvas canvas;
  canvas.Bind(&window, 10, 10);
  ImageObject blank;
  blank.LoadFromBytes(kEmptyByteConstant);
  canvas.DrawImage(blank, MakeRect(0, 0, 10, 10));
  const ImageObject red = Solid(4, 4, 255, 0, 0);
  canvas.DrawImage(red, MakeRect(0, 0, 0, 10));
  canvas.DrawImage(red, MakeRect(0, 0, 10, -3));
  EXPECT_EQ(OpaqueBox(canvas.Surface()), Rect{});
}

TEST(LayeredCanvas, ClearThenPresentHandsOverAFullyTransparentSurface) {
  FakeWindow window;
  LayeredCanvas canvas;
  canvas.Bind(&window, 40, 30);
  canvas.DrawImage(Solid(4, 4, 255, 255, 255), MakeRect(0, 0, 40, 30));
  canvas.Clear();
  ASSERT_TRUE(canvas.Present());
  ASSERT_NE(window.Presented(), nullptr);
  EXPECT_EQ(window.Width(), 40);
  EXPECT_EQ(window.Height(), 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(ReadPixel(window.Presented(), x, y), kTransparent);
}

TEST(LayeredCanvas, PresentReportsTheWindowsAnswer) {
  FakeWindow window;
  window.accept = false;
  LayeredCanvas canvas;
  EXPECT_FALSE(canvas.Present());
  canvas.Bind(&window, 4, 4);
  EXPECT_FALSE(canvas.Present());
  window.accept = true;
  EXPECT_TRUE(canvas.Present());
  canvas.Bind(nullptr, 4, 4);
  EXPECT_FALSE(canvas.Present());
}

TEST(LayeredCanvas, RebindingMovesToTheNewWindowWithItsSize) {
  FakeWindow first("first"), second("second");
  LayeredCanvas canvas;
  canvas.Bind(&first, 10, 10);
  canvas.DrawImage(Solid(2, 2, 255, 0, 0), MakeRect(0, 0, 10, 10));
  canvas.Bind(&second, 8, 6);
  EXPECT_EQ(OpaqueBox(canvas.Surface()), Rect{});
  ASSERT_TRUE(canvas.Present());
  EXPECT_EQ(first.presents, 0);
  EXPECT_EQ(second.presents, 1);
  EXPECT_EQ(second.Width(), 8);
  EXPECT_EQ(second.Height(), 6);
}

TEST(LayeredCanvas, UnboundCanvasIgnoresEverything) {
  LayeredCanvas canvas;
  canvas.Release();
  canvas.Clear();
  canvas.DrawImage(Solid(2, 2, 255, 0, 0), MakeRect(0, 0, 2, 2));
  EXPECT_FALSE(canvas.Present());
  EXPECT_EQ(canvas.Surface(), nullptr);
  FakeWindow window;
  canvas.Bind(&window, 0, 10);
  EXPECT_EQ(canvas.Surface(), nullptr);
  canvas.Clear();
  EXPECT_FALSE(canvas.Present());
  canvas.Release();
  canvas.Release();
}

}  // namespace
