#include "odds/MergeSimulation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
MergeSide Side(int slot, int species, std::array<double, 5> aptitudes, std::vector<int> skills) {
  MergeSide side;
  side.slot = slot;
  side.species = species;
  for (std::size_t k = 0; k < 5; ++k) side.aptitudes[k + 1] = aptitudes[k];
  side.skills = std::move(skills);
  return side;
}
const WantConditions kNoGoal{};
}  // namespace

TEST(MergeSimulation, EqualAptitudesGiveExactlyThatValue) {
  const MergeSetup setup =
      PrepareMerge(Side(1, 12, {1300, 950, 3000, 1700, 1000}, {19}), Side(2, 9, {1300, 950, 3000, 1700, 1000}, {26}));
  const MergeTally tally = SimulateMerges(setup, kNoGoal, TrialPlan{50'000, 7, 2});
  const std::array<int, 5> expected{1300, 950, 3000, 1700, 1000};
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(setup.values[k].low, expected[k]);
    EXPECT_EQ(setup.values[k].High(), expected[k]);
    EXPECT_EQ(tally.values[k].Total(), 50'000u) << k;
    EXPECT_EQ(tally.values[k].Lowest(), expected[k]);
    EXPECT_EQ(tally.values[k].Highest(), expected[k]);
  }
}

TEST(MergeSimulation, SpeciesSplitIsHalfAndHalf) {
  const MergeSetup setup =
      PrepareMerge(Side(1, 1, {1000, 1000, 1000, 1000, 1000}, {53}), Side(2, 15, {1300, 900, 4000, 1800, 1100}, {28}));
  EXPECT_NEAR(setup.side1SpeciesChance, 0.5, 1e-4);  // 6..10 of RandomInt(1, 10)
  const double n = 400'000;
  const MergeTally tally = SimulateMerges(setup, kNoGoal, TrialPlan{400'000, 11, 2});
  const double share = tally.side1SpeciesHits / n;
  EXPECT_NEAR(share, setup.side1SpeciesChance, 5 * std::sqrt(0.25 / n));
}

TEST(MergeSimulation, ValuesStayInTheirRangesAndMeetTheExactMeans) {
  // 1000 and 1300 reach 900..1400; 100 and 1000 would start at -200, which counts as 0;
  // growth spans both species' growth ranges, 952..1150.
  const MergeSetup setup =
      PrepareMerge(Side(1, 1, {1000, 100, 1000, 1001, 3000}, {53}), Side(2, 15, {1300, 1000, 1001, 1000, 3000}, {28}));
  const std::array<std::pair<int, int>, 6> ranges{
      {{900, 1400}, {0, 1300}, {999, 1001}, {999, 1001}, {3000, 3000}, {952, 1150}}};
  const MergeTally tally = SimulateMerges(setup, kNoGoal, TrialPlan{200'000, 3, 2});
  const double n = 200'000;
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(setup.values[k].low, ranges[k].first) << k;
    EXPECT_EQ(setup.values[k].High(), ranges[k].second) << k;
    EXPECT_EQ(tally.values[k].Total(), 200'000u) << k;  // no value fell outside its bins
    EXPECT_GE(tally.values[k].Lowest(), ranges[k].first);
    EXPECT_LE(tally.values[k].Highest(), ranges[k].second);
    const double spread = (ranges[k].second - ranges[k].first + 1) / std::sqrt(12.0);
    EXPECT_NEAR(tally.values[k].Mean(), setup.values[k].Mean(), 5 * spread / std::sqrt(n) + 1e-9) << k;
  }
  EXPECT_NEAR(tally.values[0].Quantile(0.5), 1150, 5);
}

TEST(MergeSimulation, SameSingleSkillIsAlwaysInherited) {
  const MergeSetup setup =
      PrepareMerge(Side(1, 3, {1100, 700, 2500, 1000, 900}, {22}), Side(2, 2, {1100, 700, 2500, 1000, 900}, {22}));
  ASSERT_EQ(setup.pool, std::vector<int>{22});
  const MergeTally tally = SimulateMerges(setup, kNoGoal, TrialPlan{20'000, 5, 2});
  EXPECT_EQ(tally.countHits, (std::vector<std::uint64_t>{0, 20'000}));
  EXPECT_EQ(tally.skillHits, std::vector<std::uint64_t>{20'000});
}

TEST(MergeSimulation, SideOneSkillsAreFavoured) {
  // Pool 1, 2, 3: skill 3 comes only from attempts that draw n = 3.
  const MergeSetup setup =
      PrepareMerge(Side(1, 4, {1100, 700, 2600, 1200, 900}, {1, 2}), Side(2, 7, {1200, 600, 2600, 1000, 1000}, {2, 3}));
  ASSERT_EQ(setup.pool, (std::vector<int>{1, 2, 3}));
  const MergeTally tally = SimulateMerges(setup, kNoGoal, TrialPlan{100'000, 9, 2});
  EXPECT_EQ(tally.countHits[0], 0u);
  EXPECT_GT(tally.skillHits[0], tally.skillHits[2]);
  EXPECT_GT(tally.skillHits[1], tally.skillHits[2]);
  EXPECT_GT(tally.skillHits[2], 0u);
  std::uint64_t children = 0;
  for (auto c : tally.countHits) children += c;
  EXPECT_EQ(children, 100'000u);
}

TEST(MergeSimulation, GoalCountsChildrenThatMeetEveryCondition) {
  const MergeSetup setup =
      PrepareMerge(Side(1, 3, {1100, 700, 2500, 1000, 900}, {22}), Side(2, 2, {1100, 700, 2500, 1000, 900}, {22}));
  std::string error;
  const double n = 100'000;
  const auto share = [&](const char* text) {
    return SimulateMerges(setup, *ParseWantConditions(text, error), TrialPlan{100'000, 13, 2}).wantHits / n;
  };
  EXPECT_EQ(share("has=22,skills>=1,attack>=1100"), 1.0);
  EXPECT_EQ(share("skills>=2"), 0.0);
  EXPECT_NEAR(share("species=3"), 0.5, 0.01);
}

TEST(MergeSimulation, SameSeedSameTallyOnAnyNumberOfThreads) {
  const MergeSetup setup = PrepareMerge(Side(1, 12, {1300, 950, 3000, 1700, 1000}, {19, 20, 5, 4}),
                                        Side(2, 18, {1400, 800, 4200, 1900, 1200}, {28, 5, 57}));
  const TrialPlan plan{30'000, 777, 1};
  const MergeTally one = SimulateMerges(setup, kNoGoal, plan);
  TrialPlan two = plan;
  two.threads = 2;
  const MergeTally other = SimulateMerges(setup, kNoGoal, two);
  EXPECT_EQ(one.side1SpeciesHits, other.side1SpeciesHits);
  EXPECT_EQ(one.countHits, other.countHits);
  EXPECT_EQ(one.skillHits, other.skillHits);
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(one.values[k].counts, other.values[k].counts);
}
