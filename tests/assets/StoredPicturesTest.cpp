// The stored pictures: every blob carries its header and a PNG of the size the windows expect,
// and the cells, frames and transparent parts lie where the windows draw into them.

#include <gtest/gtest.h>

#include <string>

#include "PngSupport.h"
#include "gfx/StoredPictures.h"

namespace {

using arttest::Alpha;
using arttest::DecodePng;
using arttest::Surface;

struct StoredCase {
  const char* name;
  const ByteConstant* blob;
  int width, height;
};

const StoredCase kStored[] = {
    {"mainBackground", &stored::mainBackground, 920, 620},
    {"closeButton", &stored::closeButton, 50, 50},
    {"minimizeButton", &stored::minimizeButton, 50, 50},
    {"washButton", &stored::washButton, 147, 55},
    {"releaseButton", &stored::releaseButton, 147, 55},
    {"plainPanel", &stored::plainPanel, 424, 221},
    {"washPanel", &stored::washPanel, 423, 475},
    {"skillGrid", &stored::skillGrid, 303, 192},
    {"tabWashBright", &stored::tabWashBright, 198, 51},
    {"tabWashDull", &stored::tabWashDull, 198, 51},
    {"tabMergeBright", &stored::tabMergeBright, 198, 52},
    {"tabMergeDull", &stored::tabMergeDull, 198, 52},
    {"tabBookBright", &stored::tabBookBright, 198, 52},
    {"tabBookDull", &stored::tabBookDull, 198, 52},
    {"certBadge", &stored::certBadge, 50, 43},
    {"mergePanel", &stored::mergePanel, 846, 468},
    {"mergeButton", &stored::mergeButton, 107, 105},
    {"bookPanel", &stored::bookPanel, 409, 464},
    {"learnButton", &stored::learnButton, 99, 53},
    {"certifyButton", &stored::certifyButton, 168, 51},
    {"cancelCertifyButton", &stored::cancelCertifyButton, 168, 51},
    {"certifyPickerBackground", &stored::certifyPickerBackground, 335, 190},
    {"highlightFrame", &stored::highlightFrame, 74, 74},
    {"rosterGrid", &stored::rosterGrid, 408, 238},
    {"speciesPickerBackground", &stored::speciesPickerBackground, 658, 415},
    {"mergePickerBackground", &stored::mergePickerBackground, 439, 272},
    {"bookPickerBackground", &stored::bookPickerBackground, 680, 550},
    {"detailBackground", &stored::detailBackground, 840, 544},
    {"detailCloseButton", &stored::detailCloseButton, 50, 50},
};

Surface Decode(const ByteConstant& blob) { return DecodePng(ByteConstantPayload(blob)); }

TEST(StoredPictures, EveryBlobHasItsHeaderAndDecodesAtItsSize) {
  for (const StoredCase& c : kStored) {
    SCOPED_TRACE(c.name);
    const ByteConstant& blob = *c.blob;
    ASSERT_GT(blob.size(), 8u);
    EXPECT_EQ(blob[0], 1);
    EXPECT_EQ(blob[1] | blob[2] | blob[3], 0);
    // The count covers exactly the bytes after the header.
    EXPECT_EQ(ByteConstantPayload(blob).size(), blob.size() - 8);
    Surface s = Decode(blob);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(arttest::Width(s), c.width);
    EXPECT_EQ(arttest::Height(s), c.height);
  }
}

TEST(StoredPictures, BlobsAreDistinctExceptTheSharedCloseButton) {
  for (const StoredCase& a : kStored) {
    for (const StoredCase& b : kStored) {
      if (&a >= &b) continue;
      const bool shared = std::string(a.name) == "closeButton" && std::string(b.name) == "detailCloseButton";
      const bool same = a.blob->size() == b.blob->size() && std::equal(a.blob->begin(), a.blob->end(), b.blob->begin());
      EXPECT_EQ(same, shared) << a.name << " vs " << b.name;
    }
  }
}

TEST(StoredPictures, FrameCornersAreTransparentAndTheBodyOpaque) {
  Surface s = Decode(stored::mainBackground);
  ASSERT_NE(s, nullptr);
  for (auto [x, y] : {std::pair{0, 0}, {919, 0}, {0, 619}, {919, 619}}) EXPECT_EQ(Alpha(s, x, y), 0) << x << "," << y;
  for (auto [x, y] : {std::pair{460, 28}, {460, 300}, {10, 300}, {460, 612}})
    EXPECT_EQ(Alpha(s, x, y), 255) << x << "," << y;
}

TEST(StoredPictures, HighlightFrameHasAnOpaqueBorderAndATransparentCentre) {
  Surface s = Decode(stored::highlightFrame);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Alpha(s, 37, 37), 0);
  EXPECT_EQ(Alpha(s, 20, 37), 0);
  for (auto [x, y] : {std::pair{3, 37}, {70, 37}, {37, 3}, {37, 70}}) EXPECT_EQ(Alpha(s, x, y), 255) << x << "," << y;
}

TEST(StoredPictures, WashPanelIsTransparentOutsideItsBeigeArea) {
  Surface s = Decode(stored::washPanel);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Alpha(s, 200, 200), 255);
  EXPECT_EQ(Alpha(s, 200, 430), 0);  // below the panel: the wash and release buttons lie there
  EXPECT_EQ(Alpha(s, 418, 200), 0);
  // The value boxes: opaque inside each of the six.
  for (int x : {105, 304}) {
    for (int y : {21, 64, 108}) {
      EXPECT_EQ(Alpha(s, x + 48, y + 14), 255) << x << "," << y;
    }
  }
}

// Opaque at every cell's centre, clear in the gaps between cells: the cells lie at the pitch the
// windows draw icons and heads at.
void ExpectCells(const Surface& s, int x0, int y0, int dx, int dy, int cols, int rows, int w, int h) {
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int x = x0 + dx * c, y = y0 + dy * r;
      EXPECT_GE(Alpha(s, x + w / 2, y + h / 2), 100) << "cell " << c << "," << r;
      EXPECT_EQ(Alpha(s, x + w / 2, y + 1), 255) << "cell top " << c << "," << r;
      if (c + 1 < cols) {
        EXPECT_LT(Alpha(s, x + w + (dx - w) / 2, y + h / 2), 100) << "gap right of " << c << "," << r;
      }
    }
  }
}

TEST(StoredPictures, SkillGridCellsLieAtTheIconPlaces) {
  Surface s = Decode(stored::skillGrid);
  ASSERT_NE(s, nullptr);
  ExpectCells(s, 1, 1, 82, 68, 4, 3, 55, 54);
  EXPECT_EQ(Alpha(s, 70, 30), 0);
}

TEST(StoredPictures, RosterStripFramesAreSemiTransparentInside) {
  Surface s = Decode(stored::rosterGrid);
  ASSERT_NE(s, nullptr);
  for (int k = 0; k < 15; ++k) {
    const int x = 84 * (k % 5) + 1, y = 83 * (k / 5) + 1;
    SCOPED_TRACE(k);
    EXPECT_EQ(Alpha(s, x + 2, y + 35), 255);  // rim
    const int inside = Alpha(s, x + 35, y + 35);
    EXPECT_GT(inside, 20);
    EXPECT_LT(inside, 230);
  }
  // Between the frames the strip is almost clear but not fully: the panel window takes mouse
  // input only where its pixels are not fully transparent, and it is dragged from anywhere.
  for (auto [x, y] : {std::pair{77, 35}, {35, 77}, {407, 100}, {200, 237}}) {
    EXPECT_GT(Alpha(s, x, y), 0) << x << "," << y;
    EXPECT_LT(Alpha(s, x, y), 26) << x << "," << y;
  }
}

}  // namespace
