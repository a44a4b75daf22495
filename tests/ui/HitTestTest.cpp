#include "ui/main/HitTest.h"

#include <gtest/gtest.h>

#include "MainWindowFixture.h"

namespace {

using uitest::FakeSystem;
using uitest::FakeWindow;

class HitTestTest : public testing::Test {
protected:
  void SetUp() override {
    app.system = &system;
    app.mainWindow = &window;
  }
  // Puts the cursor at window point (x, y).
  void PointAt(int x, int y) { system.cursor = {window.Left() + x, window.Top() + y}; }

  FakeSystem system;
  FakeWindow window{"main", 50, 50};
  AppState app;
};

// The close button's rectangle: the first column and row are outside, the last inside ones in.
TEST_F(HitTestTest, CountsOnlyPointsStrictlyInside) {
  const struct {
    int x, y;
    bool inside;
  } cases[] = {
      {850, 10, false}, {900, 10, false}, {851, 10, true},  {899, 51, true},
      {851, 2, false},  {851, 3, true},   {899, 52, false}, {849, 10, false},
  };
  for (const auto& c : cases) {
    PointAt(c.x, c.y);
    EXPECT_EQ(HitTest(app, 850, 2, 50, 50), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(HitTestTest, FollowsTheWindowWhenItMoves) {
  system.cursor = {400, 300};
  EXPECT_EQ(MouseWindowX(app), 350);
  EXPECT_EQ(MouseWindowY(app), 250);
  window.Move(390, 310);
  EXPECT_EQ(MouseWindowX(app), 10);
  EXPECT_EQ(MouseWindowY(app), -10);
  EXPECT_FALSE(HitTest(app, 0, 0, 50, 50));
  EXPECT_TRUE(HitTest(app, 0, -20, 50, 50));
}

// The edges are compared as true sums: left + width beyond 32 bits must not wrap around.
TEST_F(HitTestTest, EdgesBeyondThirtyTwoBitsDoNotWrap) {
  PointAt(200, 10);
  EXPECT_TRUE(HitTest(app, 100, 0, 2147483600, 50));
  EXPECT_TRUE(HitTest(app, 0, 5, 300, 2147483647));
}

}  // namespace
