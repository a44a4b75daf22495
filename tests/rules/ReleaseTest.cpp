#include "rules/Release.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/RosterStore.h"
#include "rules/CurrentPet.h"
#include "rules/RulesFixture.h"

using Release = RulesTest;

TEST_F(Release, LowestOccupiedSlotBecomesCurrent) {
  struct Case {
    int released;
    int current;
    std::vector<int> left;
  };
  for (const Case& c : {Case{1, 4, {4, 9}}, Case{9, 1, {1, 4}}, Case{4, 1, {1, 9}}}) {
    WriteFile(RecordPath(1), "3|1|1|1|1|1|1000|1|2");
    WriteFile(RecordPath(4), "17|1|1|1|1|1|1000|1|2");
    WriteFile(RecordPath(9), "8|1|1|1|1|1|1000|1|2");
    state.occupiedSlots = {1, 4, 9};
    state.currentSlot = c.released;
    state.rosterFollowsCurrent = 0;
    const ReleaseOutcome outcome = ReleasePet(state);
    EXPECT_TRUE(outcome.released);
    EXPECT_EQ(outcome.releasedSlot, c.released);
    EXPECT_EQ(state.currentSlot, c.current);
    EXPECT_EQ(state.occupiedSlots, c.left);
    EXPECT_EQ(outcome.newSpeciesText, c.current == 1 ? "3" : "17");
    EXPECT_EQ(state.rosterFollowsCurrent, 1);
    EXPECT_FALSE(IsSlotOccupied(c.released));
  }
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Release, CertificationMarkerAndOtherFilesStay) {
  WriteFile(RecordPath(2), "3|1|1|1|1|1|1000|1|71");
  WriteFile(MarkerPath(2), "71");
  WriteFile(RecordPath(5), "3|1|1|1|1|1|1000|1|2");
  state.currentSlot = 2;
  ASSERT_TRUE(ReleasePet(state).released);
  EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{"rz.txt"}));
  EXPECT_EQ(state.currentSlot, 5);
  EXPECT_FALSE(IsSlotCertified(5));
}

TEST_F(Release, DamagedRecordCanBeReleased) {
  WriteFile(RecordPath(2), "garbage");
  WriteFile(RecordPath(3), "3|1|1|1|1|1|1000|1|2");
  state.currentSlot = 2;
  EXPECT_TRUE(ReleasePet(state).released);
  EXPECT_EQ(state.currentSlot, 3);
}

TEST_F(Release, UndeletableRecordChangesNothing) {
  std::filesystem::create_directories(PathFromUtf8(RecordPath(2) + "/inner"));
  WriteFile(RecordPath(3), "3|1|1|1|1|1|1000|1|2");
  state.currentSlot = 2;
  state.occupiedSlots = {2, 3};
  const ReleaseOutcome outcome = ReleasePet(state);
  EXPECT_FALSE(outcome.released);
  EXPECT_EQ(state.currentSlot, 2);
  EXPECT_EQ(state.occupiedSlots, (std::vector<int>{2, 3}));
  EXPECT_EQ(state.rosterFollowsCurrent, 0);
  // The user is told which slot cannot be cleared.
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"第2号位置的宠物无法放生：它的数据文件无法删除"}));
  EXPECT_TRUE(Exists(RecordPath(2)));
}

TEST_F(Release, LastPetLeavesNoCurrentPet) {
  MakeCurrent(7, "3|1|1|1|1|1|1000|1|2");
  const ReleaseOutcome outcome = ReleasePet(state);
  EXPECT_TRUE(outcome.released);
  EXPECT_EQ(state.currentSlot, 0);
  EXPECT_EQ(state.currentSpecies, 0);
  EXPECT_TRUE(state.currentSkills.empty());
  EXPECT_TRUE(state.occupiedSlots.empty());
  EXPECT_EQ(outcome.newSpeciesText, "");
  // Nothing left to release.
  EXPECT_FALSE(ReleasePet(state).released);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(kNoCurrentPetText)}));
}
