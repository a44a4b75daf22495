#include <gtest/gtest.h>

#include "AppFixture.h"
#include "gfx/StoredPictures.h"

namespace {

using apptest::PetColour;

class ReleaseRoad : public apptest::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    Pet(1, 3, {1});
    Pet(4, 14, {2});
    Pet(9, 19, {3});
  }
  void PressRelease() {
    Press("main", 550, 550);
    Release("main", 550, 550);
  }
};

// The lowest occupied slot becomes current whichever pet was released.
TEST_F(ReleaseRoad, LowestRemainingSlotBecomesCurrent) {
  const struct {
    int released, current, species;
    std::vector<int> left;
  } cases[] = {{1, 4, 14, {4, 9}}, {9, 1, 3, {1, 4}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.released);
    Pet(1, 3, {1});
    Pet(4, 14, {2});
    Pet(9, 19, {3});
    app = InitAppState();
    app->system = &system;
    app->clock = &clock;
    app->messages = &messages;
    windows = ProgramWindows(*app);
    app->windows = &windows;
    Start();
    if (c.released != 1) ClickHead(c.released);
    ASSERT_EQ(app->currentSlot, c.released);
    PressRelease();
    EXPECT_FALSE(Exists(RecordPath(c.released)));
    EXPECT_EQ(app->occupiedSlots, c.left);
    EXPECT_EQ(app->currentSlot, c.current);
    EXPECT_EQ(app->currentSpecies, c.species);
    EXPECT_EQ(app->releaseButtonRect, MakeRect(480, 525, 147, 55));
    EXPECT_EQ(app->rosterHeads[c.released].ImageHandle(), nullptr);
    EXPECT_EQ(app->rosterFollowsCurrent, 1);
    const int k = c.current - 1;
    EXPECT_EQ(app->rosterHighlightRect, MakeRect(84 * (k % 5), 83 * (k / 5), 74, 74));
    EXPECT_EQ(MainAt(245, 240), PetColour(c.species));
    const auto [x, y] = HeadCentre(c.released);
    EXPECT_NE(RosterAt(x, y).a, 255);  // the released head is gone from the panel
    app->mainWindow->Destroy();
  }
}

TEST_F(ReleaseRoad, CertifiedPetLeavesItsMarkerAndTheNewPetsLookIsShown) {
  Certified(1, 71);
  Start();
  ASSERT_NE(app->certBadge.ImageHandle(), nullptr);
  PressRelease();
  EXPECT_TRUE(Exists(MarkerPath(1)));
  EXPECT_EQ(app->currentSlot, 4);
  EXPECT_EQ(app->certBadge.ImageHandle(), nullptr);
}

TEST_F(ReleaseRoad, ReleaseOnlyOnTheWashTab) {
  Start();
  ClickBookTab();
  Press("main", 550, 550);
  Release("main", 550, 550);
  ClickMergeTab();
  Press("main", 550, 550);
  Release("main", 550, 550);
  EXPECT_TRUE(Exists(RecordPath(1)));
  EXPECT_EQ(app->occupiedSlots, (std::vector<int>{1, 4, 9}));
}

}  // namespace
