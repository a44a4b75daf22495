#include "core/StartRoster.h"

#include <gtest/gtest.h>

#include "core/AppState.h"
#include "core/DataFolderFixture.h"

using StartRosterTest = DataFolderTest;

TEST_F(StartRosterTest, LowestOccupiedSlotBecomesCurrent) {
  struct Case {
    std::vector<int> occupied;
    int current;
  };
  const std::vector<Case> cases = {{{3, 7, 12}, 3}, {{15}, 15}, {{}, 0}};
  for (const auto& c : cases) {
    for (int slot = 1; slot <= 15; ++slot) std::filesystem::remove(PathFromUtf8(RecordPath(slot)));
    for (int slot : c.occupied) WriteFile(RecordPath(slot), "12|1300|950|3000|1700|1000|1085|2|19|20");
    WriteFile(MarkerPath(1), "71");  // a folder with only a marker stays free
    FixedClock clock(10);
    AppState state;
    state.clock = &clock;
    EXPECT_EQ(StartRoster(state), c.current != 0);
    EXPECT_EQ(state.tabState, 1);
    EXPECT_EQ(state.occupiedSlots, c.occupied);
    EXPECT_EQ(state.currentSlot, c.current);
    if (c.current != 0) {
      EXPECT_EQ(state.slotSpecies[c.current], 12);
      EXPECT_EQ(state.currentSkills, (std::vector<int>{19, 20}));
    }
    EXPECT_EQ(state.random.SeedCounter(), 110u);  // seeded once from tick 10
  }
}
