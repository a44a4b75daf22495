#include "core/LoadSlot.h"

#include <gtest/gtest.h>

#include "core/AppState.h"
#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"

using LoadSlotTest = DataFolderTest;

TEST_F(LoadSlotTest, ReadsRecordsByTheFieldRules) {
  struct Case {
    const char* name;
    std::string bytes;
    SlotLoad result;
    int species;
    AptitudeRow aptitudes;
    std::vector<int> skills;
  };
  const std::vector<Case> cases = {
      {"example",
       "12|1300|950|3000|1700|1000|1085|3|19|20|5",
       SlotLoad::Loaded,
       12,
       {0, 1300, 950, 3000, 1700, 1000, 1.085},
       {19, 20, 5}},
      {"eight fields",
       "1|1104|960|3600|1536|960|952|0",
       SlotLoad::Loaded,
       1,
       {0, 1104, 960, 3600, 1536, 960, 0.952},
       {}},
      {"count disagrees", "2|1|2|3|4|5|1300|4|3|22|7", SlotLoad::Loaded, 2, {0, 1, 2, 3, 4, 5, 1.3}, {3, 22, 7}},
      {"trailing separator", "2|1|2|3|4|5|1000|1|3|", SlotLoad::Loaded, 2, {0, 1, 2, 3, 4, 5, 1.0}, {3}},
      {"gbk byte before a separator", "5|1|2|3|4|5|1000|2|7\xB0|9", SlotLoad::Loaded, 5, {0, 1, 2, 3, 4, 5, 1.0}, {7}},
      {"zero byte",
       std::string("5|1|2|3|4|5|1000|2|7|9\0|8", 25),
       SlotLoad::Loaded,
       5,
       {0, 1, 2, 3, 4, 5, 1.0},
       {7, 9}},
      {"non-numeric skills", "5|1|2|3|4|5|1000|3|x||12a", SlotLoad::Loaded, 5, {0, 1, 2, 3, 4, 5, 1.0}, {0, 0, 12}},
      {"decimals and blanks", " 5|1.9| -2|3|4|5|1013.7|1|4", SlotLoad::Loaded, 5, {0, 1, -2, 3, 4, 5, 1.013}, {4}},
      {"seven fields", "5|1|2|3|4|5|1000", SlotLoad::Damaged, 0, {}, {}},
      {"empty file", "", SlotLoad::Damaged, 0, {}, {}},
      {"species out of range", "36|1|2|3|4|5|1000|1|4", SlotLoad::Damaged, 0, {}, {}},
  };
  for (const auto& c : cases) {
    AppState state;
    state.slotSpecies[4] = 9;
    state.slotAptitudes[4] = {0, 9, 9, 9, 9, 9, 9};
    state.currentSkills = {99};
    WriteFile(RecordPath(4), c.bytes);
    EXPECT_EQ(LoadSlot(state, 4), c.result) << c.name;
    EXPECT_EQ(state.slotSpecies[4], c.species) << c.name;
    EXPECT_EQ(state.slotAptitudes[4], c.aptitudes) << c.name;
    EXPECT_EQ(state.currentSkills, c.skills) << c.name;
  }
}

TEST_F(LoadSlotTest, FreeSlotEmptiesOnlyTheSkills) {
  AppState state;
  state.slotSpecies[6] = 3;
  state.slotAptitudes[6] = {0, 1, 2, 3, 4, 5, 1.0};
  state.currentSkills = {1, 2};
  WriteFile(MarkerPath(6), "71");
  EXPECT_EQ(LoadSlot(state, 6), SlotLoad::Free);
  EXPECT_TRUE(state.currentSkills.empty());
  EXPECT_EQ(state.slotSpecies[6], 3);
  EXPECT_EQ(state.slotAptitudes[6], (AptitudeRow{0, 1, 2, 3, 4, 5, 1.0}));
}

TEST_F(LoadSlotTest, SlotOutsideTheRosterTouchesNoTable) {
  AppState state;
  state.currentSkills = {1};
  EXPECT_EQ(LoadSlot(state, 0), SlotLoad::Free);
  EXPECT_EQ(LoadSlot(state, 16), SlotLoad::Free);
  EXPECT_TRUE(state.currentSkills.empty());
  EXPECT_EQ(state.slotSpecies, SlotTable<int>{});
}
