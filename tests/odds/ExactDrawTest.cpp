#include "odds/ExactDraw.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(ExactDraw, StateBeforeRawYieldsThatRawValue) {
  for (int raw : {0, 1, 41, 16383, 32767}) {
    RandomGenerator random;
    random.Seed(StateBeforeRaw(raw));
    EXPECT_EQ(random.Next(), raw);
  }
}

// low + raw mod span, for every raw value: q = 32768 / span values get q + 1 raw values
// when they lie below the remainder, q otherwise.
TEST(ExactDraw, RandomIntCountsFollowTheModulo) {
  struct Case {
    int a, b, low, high;
  };
  for (const Case c : {Case{1, 10, 1, 10}, Case{10, 1, 1, 10}, Case{1104, 1380, 1104, 1380}, Case{-5, 3, 0, 3},
                       Case{7, 7, 7, 7}, Case{0, 40000, 0, 32767}, Case{1, 3, 1, 3}}) {
    const DrawCounts counts = RandomIntCounts(c.a, c.b);
    EXPECT_EQ(counts.low, c.low) << c.a << ".." << c.b;
    EXPECT_EQ(counts.High(), c.high) << c.a << ".." << c.b;
    EXPECT_EQ(std::accumulate(counts.rawCounts.begin(), counts.rawCounts.end(), 0u), 32768u);
    const int span = (c.a == c.b) ? 1 : std::max(c.a, c.b) - std::max(std::min(c.a, c.b), 0) + 1;
    if (c.a == c.b) continue;  // no draw at all
    const int q = 32768 / span, remainder = 32768 % span;
    for (int v = counts.low; v <= counts.High(); ++v) {
      const int expected = q + ((v - counts.low) < remainder ? 1 : 0);
      ASSERT_EQ(counts.rawCounts[static_cast<std::size_t>(v - counts.low)], static_cast<unsigned>(expected))
          << c.a << ".." << c.b << " at " << v;
    }
  }
}

TEST(ExactDraw, ThreeWayDrawFavoursTheLowValuesByOneRawValue) {
  const DrawCounts counts = RandomIntCounts(1, 3);
  EXPECT_DOUBLE_EQ(counts.Chance(1), 10923.0 / 32768);
  EXPECT_DOUBLE_EQ(counts.Chance(2), 10923.0 / 32768);
  EXPECT_DOUBLE_EQ(counts.Chance(3), 10922.0 / 32768);
  EXPECT_DOUBLE_EQ(counts.Chance(4), 0.0);
  EXPECT_DOUBLE_EQ(counts.ChanceAtLeast(2), 21845.0 / 32768);
}

TEST(ExactDraw, MeanAndQuantiles) {
  const DrawCounts even = RandomIntCounts(1, 4);  // 4 divides 32768: exactly even
  EXPECT_DOUBLE_EQ(even.Mean(), 2.5);
  EXPECT_EQ(even.Quantile(0.25), 1);
  EXPECT_EQ(even.Quantile(0.5), 2);
  EXPECT_EQ(even.Quantile(0.75), 3);
  EXPECT_EQ(even.Quantile(1.0), 4);
  const DrawCounts single = RandomIntCounts(950, 950);
  EXPECT_DOUBLE_EQ(single.Mean(), 950.0);
  EXPECT_EQ(single.Quantile(0.5), 950);
}
