#include "rules/MergeSideFromRecord.h"

#include <gtest/gtest.h>

#include "core/PetRecord.h"

TEST(MergeSideFromRecord, TakesThePetAsThePickerDoes) {
  const auto fields = SplitRecord("9|960|768|3240|1344|768|1042|4|5|17|20");
  const MergeSide side = MergeSideFromRecord(4, fields);
  EXPECT_EQ(side.slot, 4);
  EXPECT_EQ(side.species, 9);
  EXPECT_EQ(side.aptitudes[1], 960.0);
  EXPECT_EQ(side.aptitudes[5], 768.0);
  EXPECT_EQ(side.aptitudes[6], 1.042);
  EXPECT_EQ(side.skills, (std::vector<int>{5, 17, 20}));  // field 8 says 4; the fields count
}

TEST(MergeSideFromRecord, EightFieldsGiveNoSkillsAndShortRecordsZeros) {
  EXPECT_TRUE(MergeSideFromRecord(1, SplitRecord("3|1|2|3|4|5|1000|0")).skills.empty());
  const MergeSide shortSide = MergeSideFromRecord(2, SplitRecord("3|1100"));
  EXPECT_EQ(shortSide.species, 3);
  EXPECT_EQ(shortSide.aptitudes[1], 1100.0);
  EXPECT_EQ(shortSide.aptitudes[2], 0.0);
  EXPECT_TRUE(shortSide.skills.empty());
}
