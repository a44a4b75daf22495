#include <gtest/gtest.h>

#include <vector>

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/RandomGenerator.h"

TEST(RandomGenerator, SeededWithOneGivesTheKnownSequence) {
  RandomGenerator random;
  random.Seed(1);
  std::vector<int> values;
  for (int i = 0; i < 4; ++i) values.push_back(random.Next());
  EXPECT_EQ(values, (std::vector<int>{41, 18467, 6334, 26500}));
}

TEST(RandomGenerator, UnseededStartsLikeSeedOne) {
  RandomGenerator random;
  EXPECT_EQ(random.Next(), 41);
}

TEST(RandomGenerator, RandomIntIsLowPlusValueModuloSpan) {
  RandomGenerator random;
  random.Seed(1);
  EXPECT_EQ(random.RandomInt(10, 19), 10 + 41 % 10);
  EXPECT_EQ(random.RandomInt(0, 32767), 18467);
}

struct BoundsCase {
  int a, b;       // as passed
  int low, high;  // what the draw must use
};

class RandomIntBounds : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(RandomIntBounds, DrawsLikeTheOrderedClampedBounds) {
  const auto c = GetParam();
  RandomGenerator given, reference;
  given.Seed(77);
  reference.Seed(77);
  for (int i = 0; i < 200; ++i) {
    const int value = given.RandomInt(c.a, c.b);
    const int expected = c.low + reference.Next() % (c.high - c.low + 1);
    ASSERT_EQ(value, expected) << "draw " << i;
    ASSERT_GE(value, c.low);
    ASSERT_LE(value, c.high);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RandomIntBounds,
                         ::testing::Values(BoundsCase{1, 6, 1, 6}, BoundsCase{6, 1, 1, 6}, BoundsCase{-5, 3, 0, 3},
                                           BoundsCase{3, -5, 0, 3}, BoundsCase{900, 1400, 900, 1400},
                                           BoundsCase{0, 1, 0, 1}));

TEST(RandomGenerator, EqualBoundsReturnWithoutDrawing) {
  struct Case {
    int a, b, value;
  };
  for (const Case c : {Case{5, 5, 5}, Case{0, 0, 0}, Case{-3, -9, 0}, Case{-1, 0, 0}}) {
    RandomGenerator random;
    random.Seed(1);
    EXPECT_EQ(random.RandomInt(c.a, c.b), c.value);
    EXPECT_EQ(random.Next(), 41) << c.a << "," << c.b << " drew a value";
  }
}

TEST(RandomGenerator, TwoSeedingsInOneTickDiffer) {
  FixedClock clock(1000);
  RandomGenerator random;
  random.SeedFromClock(clock);
  EXPECT_EQ(random.State(), 1000u);
  EXPECT_EQ(random.SeedCounter(), 100u + (1000u & 0xFFu));  // 332
  const int first = random.Next();

  random.SeedFromClock(clock);
  EXPECT_EQ(random.State(), 1332u);
  EXPECT_EQ(random.SeedCounter(), 332u + 100u + (1332u & 0xFFu));
  EXPECT_NE(random.Next(), first);
}

TEST(RandomGenerator, AppStateSeedsFromItsClock) {
  FixedClock clock(5);
  AppState state;
  state.clock = &clock;
  SeedFromClock(state);
  EXPECT_EQ(state.random.State(), 5u);
  clock.Set(5);
  SeedFromClock(state);
  EXPECT_EQ(state.random.State(), 5u + 105u);
}
