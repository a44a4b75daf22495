#include "odds/WashOdds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <set>

#include "odds/WashSimulation.h"

TEST(WashOdds, RangesAndMeansOfTheSpeciesTable) {
  const WashOdds odds = ComputeWashOdds(33);
  EXPECT_EQ(odds.values[3].low, 2404);  // species 33's magic starts at 2404
  EXPECT_EQ(odds.values[3].High(), 2880);
  EXPECT_EQ(odds.values[5].low, 1252);
  EXPECT_EQ(odds.values[5].High(), 1300);
  // 477 magic values: 32768 = 68 * 477 + 332, so the lowest 332 values get one raw value more.
  const double exactMean = (68.0 * (2404 + 2880) * 477 / 2 + (2404 + 2404 + 331) * 332 / 2.0) / 32768;
  EXPECT_NEAR(odds.values[3].Mean(), exactMean, 1e-9);
}

TEST(WashOdds, SkillCountIsEvenOverTheDefaults) {
  struct Case {
    int species;
    int defaults;
  };
  for (const Case c : {Case{1, 2}, Case{3, 3}, Case{8, 3}, Case{12, 4}, Case{18, 5}}) {
    const WashOdds odds = ComputeWashOdds(c.species);
    ASSERT_EQ(odds.countChances.size(), static_cast<std::size_t>(c.defaults) + 1) << c.species;
    double total = 0;
    for (int n = 1; n <= c.defaults; ++n) {
      EXPECT_NEAR(odds.countChances[static_cast<std::size_t>(n)], 1.0 / c.defaults, 1.0 / 32768) << c.species;
      total += odds.countChances[static_cast<std::size_t>(n)];
    }
    EXPECT_NEAR(total, 1.0, 1e-12);
    // Each default skill is among n picks of m with chance n/m: on average (m + 1) / (2m).
    for (double chance : odds.skillChances) EXPECT_NEAR(chance, (c.defaults + 1.0) / (2.0 * c.defaults), 1e-3);
  }
  EXPECT_DOUBLE_EQ(ComputeWashOdds(1).countChances[1], 0.5);  // 2 divides 32768: exactly half
}

TEST(WashOdds, ListsAreEveryDistinctSelection) {
  const WashOdds odds = ComputeWashOdds(1);
  std::set<std::vector<int>> lists;
  double total = 0;
  for (const auto& list : odds.lists) {
    lists.insert(list.skills);
    total += list.chance;
  }
  EXPECT_EQ(lists, (std::set<std::vector<int>>{{53}, {17}, {53, 17}, {17, 53}}));
  EXPECT_NEAR(total, 1.0, 1e-12);
  // Species 18: 5 + 20 + 60 + 120 + 120 ordered selections of its five defaults.
  EXPECT_EQ(ComputeWashOdds(18).lists.size(), 325u);
}

// The exact figures against washes run with the pet roll's own draws.
TEST(WashOdds, SimulatedWashesAgreeWithTheExactFigures) {
  std::string error;
  const auto want = ParseWantConditions("skills>=3,has=57,attack>=1400", error);
  ASSERT_TRUE(want);
  for (int species : {8, 18}) {
    const WashOdds odds = ComputeWashOdds(species);
    const WashTally tally = SimulateWashes(species, *want, TrialPlan{400'000, 2024, 2});
    const double n = static_cast<double>(tally.trials);
    const auto within = [n](double share, double p) {
      return std::abs(share - p) <= 5 * std::sqrt(p * (1 - p) / n) + 1e-12;
    };
    for (std::size_t c = 1; c < odds.countChances.size(); ++c)
      EXPECT_TRUE(within(tally.countHits[c] / n, odds.countChances[c])) << species << " count " << c;
    for (std::size_t i = 0; i < odds.defaultSkills.size(); ++i)
      EXPECT_TRUE(within(tally.skillHits[static_cast<std::size_t>(odds.defaultSkills[i])] / n, odds.skillChances[i]))
          << species << " skill " << odds.defaultSkills[i];
    for (std::size_t k = 0; k < 6; ++k) {
      const DrawCounts& values = odds.values[k];
      const double spread = (values.High() - values.low + 1) / std::sqrt(12.0);
      EXPECT_NEAR(tally.valueSums[k] / n, values.Mean(), 5 * spread / std::sqrt(n)) << species << " value " << k;
    }
    EXPECT_TRUE(within(tally.wantHits / n, WashWantChance(odds, *want))) << species;
  }
}

TEST(WashOdds, GoalChanceMultipliesIndependentDraws) {
  std::string error;
  const WashOdds odds = ComputeWashOdds(1);
  const auto chance = [&](const char* text) { return WashWantChance(odds, *ParseWantConditions(text, error)); };
  EXPECT_NEAR(chance("skills>=2"), 0.5, 1e-12);
  EXPECT_NEAR(chance("has=53"), 0.75, 1e-12);
  EXPECT_NEAR(chance("attack>=1380"), 1.0 / 277, 1.0 / 32768);
  EXPECT_NEAR(chance("attack>=1380,skills>=2"), chance("attack>=1380") * 0.5, 1e-15);
  EXPECT_EQ(chance("species=2"), 0.0);
  EXPECT_EQ(chance("species=1"), 1.0);
  EXPECT_EQ(chance("has=5"), 0.0);
  EXPECT_EQ(chance("growth>=1001"), 0.0);
}

TEST(WashOdds, TriesToReachAGoal) {
  struct Case {
    double p;
    double half, ninety;
  };
  for (const Case c :
       {Case{1.0, 1, 1}, Case{0.5, 1, 4}, Case{0.1, 7, 22}, Case{0.25, 3, 9}, Case{1e-6, 693147, 2302584}}) {
    const TriesToGoal tries = TriesFor(c.p);
    EXPECT_DOUBLE_EQ(tries.expected, 1.0 / c.p);
    ASSERT_TRUE(tries.forHalf && tries.forNinety);
    EXPECT_EQ(*tries.forHalf, c.half) << c.p;
    EXPECT_EQ(*tries.forNinety, c.ninety) << c.p;
    // The fewest: one try less falls short.
    if (c.half > 1) {
      EXPECT_LT(1 - std::pow(1 - c.p, c.half - 1), 0.5);
    }
    EXPECT_GE(1 - std::pow(1 - c.p, c.ninety), 0.9 - 1e-12);
  }
  const TriesToGoal never = TriesFor(0.0);
  EXPECT_TRUE(std::isinf(never.expected));
  EXPECT_FALSE(never.forHalf.has_value());
}
