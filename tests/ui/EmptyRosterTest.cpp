#include <gtest/gtest.h>

#include "AppFixture.h"
#include "rules/CurrentPet.h"
#include "rules/Merge.h"

namespace {

class EmptyRoster : public apptest::AppTest {
protected:
  static bool AnyRecord() {
    for (int slot = 1; slot <= kSlotCount; ++slot)
      if (IsSlotOccupied(slot)) return true;
    return false;
  }
  // Every operation that needs a pet refuses it with a message and writes nothing.
  void ExpectOperationsRefused() {
    const std::size_t before = system.Messages().size();
    ClickWashTab();
    Press("main", 800, 550);  // wash
    Release("main", 800, 550);
    Press("main", 550, 550);  // release
    Release("main", 550, 550);
    ClickBookTab();
    app->bookSkill = 40;
    Click("main", 784, 171);  // learn
    Click("main", 789, 560);  // certify
    ClickMergeTab();
    Click("main", 457, 349);  // merge
    const auto& shown = system.Messages();
    ASSERT_EQ(shown.size(), before + 5);
    for (std::size_t i = before; i < before + 4; ++i) EXPECT_EQ(shown[i].text, kNoCurrentPetText) << i;
    EXPECT_EQ(shown[before + 4].text, kMergeNeedsPetsText);
    EXPECT_FALSE(AnyRecord());
    for (int slot = 1; slot <= kSlotCount; ++slot) EXPECT_EQ(FolderEntries(slot), std::vector<std::string>{}) << slot;
    EXPECT_EQ(app->currentSlot, 0);
    ClickWashTab();
  }
};

TEST_F(EmptyRoster, StartsWithoutACurrentPet) {
  Start();
  EXPECT_EQ(app->tabState, TabState::Wash);
  EXPECT_EQ(app->currentSlot, 0);
  EXPECT_EQ(app->currentSpecies, 0);
  EXPECT_TRUE(app->occupiedSlots.empty());
  EXPECT_TRUE(app->currentSkills.empty());
  EXPECT_EQ(app->petPicture.ImageHandle(), nullptr);
  ASSERT_NE(app->rosterPanel, nullptr);
  EXPECT_EQ(app->rosterHighlightRect.width, 0);  // no frame: nothing is current
  // The wash tab shows no values: the boxes hold no glyph.
  EXPECT_NE(MainAt(598 + 7, 138 + 8), apptest::GlyphColour(1));
  ExpectOperationsRefused();
}

TEST_F(EmptyRoster, RosterPanelStaysUsableToCreateAPet) {
  Start();
  const auto [x, y] = HeadCentre(6);
  Press("roster", x, y);
  Move("roster", x + 1, y + 1);
  Release("roster", x + 1, y + 1);
  EXPECT_EQ(app->newPetSlot, 6);
  Press("roster", 30, 150);
  Move("roster", 30, 100);
  EXPECT_EQ(app->rosterStripRect.y, -45);
  EXPECT_EQ(app->rosterHighlightRect.width, 0);
}

TEST_F(EmptyRoster, ReleasingTheLastPetLeavesNoCurrentPet) {
  Pet(6, 20, {5, 6});
  Start();
  ASSERT_EQ(app->currentSlot, 6);
  Press("main", 550, 550);
  Release("main", 550, 550);
  EXPECT_FALSE(Exists(RecordPath(6)));
  EXPECT_EQ(app->currentSlot, 0);
  EXPECT_EQ(app->currentSpecies, 0);
  EXPECT_TRUE(app->currentSkills.empty());
  EXPECT_EQ(app->petPicture.ImageHandle(), nullptr);
  EXPECT_EQ(app->rosterHighlightRect.width, 0);
  EXPECT_NE(MainAt(245, 240), apptest::PetColour(20));
  ExpectOperationsRefused();
  // A move of the main window places the panel without a pet to follow.
  MoveWindow("main", 70, 70);
  EXPECT_EQ(app->currentSlot, 0);
  EXPECT_EQ(app->rosterHighlightRect.width, 0);
}

}  // namespace
