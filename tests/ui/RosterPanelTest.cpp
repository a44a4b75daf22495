#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ui/windows/RosterPanel.h"

namespace {

using apptest::HeadColour;
using apptest::PetColour;

class RosterPanel : public apptest::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    Pet(2, 6);
    Pet(7, 11);
    Pet(12, 16);
  }
};

TEST_F(RosterPanel, ShowsEachSavedPetsHeadInItsCell) {
  Start();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    SCOPED_TRACE(slot);
    const auto [x, y] = HeadCentre(slot);
    if (slot == 2 || slot == 7 || slot == 12)
      EXPECT_EQ(RosterAt(x, y), HeadColour(slot + 4));
    else
      EXPECT_NE(RosterAt(x, y).a, 255);
  }
}

// The strip follows the cursor vertically and stops at 0 (top row flush) and -45.
TEST_F(RosterPanel, DragScrollsTheStripWithinItsLimits) {
  const struct {
    int pressY, moveY, stripY;
  } drags[] = {{100, 80, -20}, {100, 150, 0}, {150, 10, -45}, {100, 55, -45}, {100, 56, -44}, {60, 61, 0}};
  Start();
  for (const auto& d : drags) {
    SCOPED_TRACE(d.moveY - d.pressY);
    ResetRosterView(*app);
    Press("roster", 30, d.pressY);
    Move("roster", 30, d.moveY);
    EXPECT_EQ(app->rosterStripRect, MakeRect(0, d.stripY, 408, 238));
    EXPECT_EQ(app->rosterCellRects[1], MakeRect(1, d.stripY + 1, 70, 70));
    EXPECT_EQ(app->rosterCellRects[15], MakeRect(337, 166 + d.stripY + 1, 70, 70));
    // The frame stays on the current pet (slot 2) wherever the strip is.
    EXPECT_EQ(app->rosterHighlightRect, MakeRect(84, d.stripY, 74, 74));
    Release("roster", 30, d.moveY);
    EXPECT_EQ(app->rosterStripRect.y, d.stripY);
    EXPECT_EQ(app->rosterDragging, 0);
  }
}

TEST_F(RosterPanel, StripDoesNotFollowTheCursorOutsideThePanel) {
  Start();
  Press("roster", 30, 100);
  Move("roster", 30, 80);
  ASSERT_EQ(app->rosterStripRect.y, -20);
  for (const auto& [x, y] : {std::pair{30, 200}, {408, 50}, {30, 260}, {-5, 50}}) {
    Move("roster", x, y);
    EXPECT_EQ(app->rosterStripRect.y, -20) << x << "," << y;
  }
}

TEST_F(RosterPanel, MovesWithoutTheButtonChangeNothing) {
  Start();
  Move("roster", 30, 30);
  Move("roster", 120, 30);
  EXPECT_EQ(app->rosterHoverSlot, 0);
  EXPECT_EQ(app->rosterStripRect.y, 0);
}

TEST_F(RosterPanel, PressAndReleaseOnOneHeadMakesThatPetCurrent) {
  Certified(7, 72);
  Start();
  ClickHead(7);
  EXPECT_EQ(app->currentSlot, 7);
  EXPECT_EQ(app->currentSpecies, 11);
  EXPECT_EQ(app->rosterFollowsCurrent, 0);
  EXPECT_EQ(app->rosterHighlightRect, MakeRect(84, 83, 74, 74));
  EXPECT_EQ(app->rosterHighlightCell, (std::array<int, 2>{84, 83}));
  EXPECT_EQ(MainAt(245, 240), PetColour(11));
  EXPECT_NE(app->certBadge.ImageHandle(), nullptr);
  // Back to an uncertified pet: no badge.
  ClickHead(12);
  EXPECT_EQ(app->currentSlot, 12);
  EXPECT_EQ(app->certBadge.ImageHandle(), nullptr);
  EXPECT_EQ(MainAt(245, 240), PetColour(16));
}

// While the strip follows the cursor the grabbed head stays under it; the pointer reaches another
// head only where the strip does not follow, below the panel's last row.
TEST_F(RosterPanel, DragThatEndsOnAnotherHeadPicksNothing) {
  Start();
  const auto [x7, y7] = HeadCentre(7);
  Press("roster", x7, y7);
  Move("roster", x7, y7 - 19);
  ASSERT_EQ(app->rosterStripRect.y, -19);
  Move("roster", x7, 210);  // over slot 12's head, which lies below the panel's edge
  EXPECT_EQ(app->rosterHoverSlot, 11);
  Release("roster", x7, 210);
  EXPECT_EQ(app->currentSlot, 2);
  EXPECT_EQ(app->rosterStripRect.y, -19);
  EXPECT_EQ(app->rosterFollowsCurrent, 1);
}

// A drag down from a head at the top cannot scroll: the strip stays at 0 and the release lands
// on the head below, which the rule then picks.
TEST_F(RosterPanel, DragPastTheTopLimitPicksTheHeadUnderTheRelease) {
  Start();
  const auto [x2, y2] = HeadCentre(2);
  Press("roster", x2, y2);
  Move("roster", x2, y2 + 83);
  EXPECT_EQ(app->rosterStripRect.y, 0);
  Release("roster", x2, y2 + 83);
  EXPECT_EQ(app->currentSlot, 7);
}

// Without a move the pressed cell meets the hovered cell left from the last drag (slot 1's cell
// at start).
TEST_F(RosterPanel, ClickWithoutMoveComparesWithTheLastHoveredCell) {
  Start();
  const auto [x7, y7] = HeadCentre(7);
  Click("roster", x7, y7);
  EXPECT_EQ(app->currentSlot, 2);  // pressed 6, hovered 0

  const auto [x1, y1] = HeadCentre(1);
  Click("roster", x1, y1);  // pressed 0 = hovered 0, and slot 1 is free
  EXPECT_EQ(app->newPetSlot, 1);

  ClickHead(7);  // a drag over cell 6 leaves it hovered
  ASSERT_EQ(app->currentSlot, 7);
  const auto [x2, y2] = HeadCentre(2);
  Click("roster", x2, y2);
  EXPECT_EQ(app->currentSlot, 7);
}

TEST_F(RosterPanel, ReleaseBetweenCellsStopsFollowing) {
  Start();
  const auto [x2, y2] = HeadCentre(2);
  Press("roster", x2, y2);
  Move("roster", x2 + 2, y2);
  Release("roster", 78, y2);  // the gap between the first and second column
  EXPECT_EQ(app->currentSlot, 2);
  EXPECT_EQ(app->rosterFollowsCurrent, 0);
}

TEST_F(RosterPanel, EmptyCellRecordsTheSlotForTheNewPet) {
  Start();
  const auto [x, y] = HeadCentre(9);
  Press("roster", x, y);
  Move("roster", x + 1, y);
  Release("roster", x + 1, y);
  EXPECT_EQ(app->newPetSlot, 9);
  EXPECT_EQ(app->currentSlot, 2);
}

TEST_F(RosterPanel, ReopeningScrollsBackToTheTop) {
  Start();
  ClickHead(12);
  Press("roster", 30, 150);
  Move("roster", 30, 120);
  Release("roster", 30, 120);
  ASSERT_EQ(app->rosterStripRect.y, -30);
  ASSERT_EQ(app->currentSlot, 12);
  ClickMergeTab();
  EXPECT_EQ(app->rosterPanel, nullptr);
  ClickWashTab();
  ASSERT_NE(app->rosterPanel, nullptr);
  EXPECT_EQ(app->rosterStripRect.y, 0);
  // Not following, slot 12: the frame lies right of the panel until the next placement puts it
  // back on its cell.
  EXPECT_EQ(app->rosterHighlightRect, MakeRect(84 * 11, 0, 74, 74));
  EXPECT_EQ(RosterAt(120, 20), HeadColour(6));
  MoveWindow("main", 60, 60);
  EXPECT_EQ(app->rosterHighlightRect, MakeRect(84, 166, 74, 74));
}

}  // namespace
