#include "odds/BookOdds.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(BookOdds, EverySkillOfAFreePetCanGo) {
  const BookOdds odds = ComputeBookOdds({19, 20, 5, 4}, false, 47);
  EXPECT_TRUE(odds.refusals.empty());
  ASSERT_EQ(odds.replaceChances.size(), 4u);
  for (double chance : odds.replaceChances) EXPECT_DOUBLE_EQ(chance, 0.25);  // 4 divides 32768
}

TEST(BookOdds, CertifiedPetKeepsItsFirstSkill) {
  const BookOdds odds = ComputeBookOdds({71, 5, 73, 11}, true, 47);
  EXPECT_TRUE(odds.refusals.empty());
  ASSERT_EQ(odds.replaceChances.size(), 4u);
  EXPECT_EQ(odds.replaceChances[0], 0.0);
  EXPECT_NEAR(odds.replaceChances[1], 1.0 / 3, 1.0 / 32768);
  EXPECT_NEAR(std::accumulate(odds.replaceChances.begin(), odds.replaceChances.end(), 0.0), 1.0, 1e-12);
  // Two skills: the second always goes.
  EXPECT_EQ(ComputeBookOdds({71, 13}, true, 47).replaceChances, (std::vector<double>{0.0, 1.0}));
}

TEST(BookOdds, SingleSkillOfAFreePetIsReplaced) {
  EXPECT_EQ(ComputeBookOdds({17}, false, 3).replaceChances, std::vector<double>{1.0});
}

TEST(BookOdds, RefusalsInTheOrderTheyAreChecked) {
  struct Case {
    std::vector<int> skills;
    bool certified;
    int book;
    std::vector<std::string_view> refusals;
  };
  const std::vector<Case> cases{
      {{19, 20}, false, 0, {"请放入兽决"}},         {{19, 20}, false, 20, {"技能重复"}},
      {{19, 20}, false, 66, {"特殊技能不能选取"}},  {{19, 79}, false, 79, {"特殊技能不能选取", "技能重复"}},
      {{71}, true, 47, {"没有可被兽决替换的技能"}}, {{}, false, 47, {"没有可被兽决替换的技能"}},
  };
  for (const Case& c : cases) {
    const BookOdds odds = ComputeBookOdds(c.skills, c.certified, c.book);
    EXPECT_EQ(odds.refusals, c.refusals) << c.book;
    EXPECT_TRUE(odds.replaceChances.empty());
  }
}
