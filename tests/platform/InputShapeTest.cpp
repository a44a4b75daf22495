#include "platform/gtk/InputShape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace platform {
namespace {

struct ShapeCase {
  const char* name;
  std::vector<std::uint32_t> alphas;  // one row of 6 pixels per 6 entries, alpha only
  int height;
  std::vector<cairo_rectangle_int_t> expected;
};

class OpaqueRegionCases : public testing::TestWithParam<ShapeCase> {};

TEST_P(OpaqueRegionCases, CoversExactlyThePixelsWithAlpha) {
  const ShapeCase& c = GetParam();
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, c.height);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < 6; ++x) {
      reinterpret_cast<std::uint32_t*>(data + y * stride)[x] = c.alphas[y * 6 + x] << 24;
    }
  }
  cairo_surface_mark_dirty(s);
  RegionPtr region = OpaqueRegion(s);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(cairo_region_contains_point(region.get(), x, y) != 0, c.alphas[y * 6 + x] != 0)
          << "pixel " << x << "," << y;
    }
  }
  cairo_region_t* expected = cairo_region_create_rectangles(c.expected.data(), static_cast<int>(c.expected.size()));
  EXPECT_TRUE(cairo_region_equal(region.get(), expected));
  cairo_region_destroy(expected);
  cairo_surface_destroy(s);
}

INSTANTIATE_TEST_SUITE_P(
    Surfaces, OpaqueRegionCases,
    testing::Values(ShapeCase{"AllTransparent", {0, 0, 0, 0, 0, 0}, 1, {}},
                    // Alpha 1 takes the mouse: a half-opaque threshold would drop it.
                    ShapeCase{"FaintestAlphaCounts", {0, 1, 0, 0, 127, 0}, 1, {{1, 0, 1, 1}, {4, 0, 1, 1}}},
                    ShapeCase{"RunsPerRow",
                              {255, 255, 0, 9, 9, 9, 0, 0, 0, 0, 0, 200},
                              2,
                              {{0, 0, 2, 1}, {3, 0, 3, 1}, {5, 1, 1, 1}}},
                    ShapeCase{"Opaque", {255, 255, 255, 255, 255, 255}, 1, {{0, 0, 6, 1}}}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST(OpaqueRegion, OpaqueFormatAndNonImageSurfaces) {
  cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3, 2);
  cairo_rectangle_int_t all{0, 0, 3, 2};
  cairo_region_t* whole = cairo_region_create_rectangle(&all);
  EXPECT_TRUE(cairo_region_equal(OpaqueRegion(rgb).get(), whole));
  cairo_region_destroy(whole);
  cairo_surface_destroy(rgb);
  EXPECT_TRUE(cairo_region_is_empty(OpaqueRegion(nullptr).get()));
}

}  // namespace
}  // namespace platform
