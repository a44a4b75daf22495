#include "ui/main/MainWindowControls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/AppState.h"

// Each control has one row, found by its id, under a name of its own; a pressed picture lies
// inside its resting place, so the pressed look never reaches beyond the button.
TEST(MainControlTable, EveryControlHasOneRowAndOneName) {
  std::set<std::string> names;
  for (const MainControlRow& row : MainControls()) {
    EXPECT_EQ(&MainControlOf(row.id), &row) << row.name;
    EXPECT_TRUE(names.insert(std::string(row.name)).second) << row.name;
    if (row.picture == nullptr) continue;
    EXPECT_GT(row.pressed.x, row.resting.x) << row.name;
    EXPECT_GT(row.pressed.y, row.resting.y) << row.name;
    EXPECT_LT(row.pressed.x + row.pressed.width, row.resting.x + row.resting.width) << row.name;
    EXPECT_LT(row.pressed.y + row.pressed.height, row.resting.y + row.resting.height) << row.name;
  }
  EXPECT_EQ(names.size(), 14u);
}
