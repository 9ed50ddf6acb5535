#include "lab/tally.h"

#include <gtest/gtest.h>

#include "lab/wilson.h"

namespace bramble::lab {
namespace {

Tally Lengths(std::initializer_list<uint32_t> ticks) {
  Tally tally;
  bool first = true;
  for (uint32_t t : ticks) {
    tally.Add({first ? Winner::kFirst : Winner::kSecond, t});
    first = !first;
  }
  return tally;
}

TEST(Tally, MeanAndMedianOfFinishedBattles) {
  struct Case {
    std::initializer_list<uint32_t> ticks;
    double mean;
    double median;
  };
  const Case cases[] = {
      {{}, 0, 0},
      {{7}, 7, 7},
      {{3, 9, 4}, 16.0 / 3, 4},
      {{10, 2, 5, 8}, 6.25, 6.5},  // even count: mean of the middle two
      {{1, 1, 100000, 100000}, 50000.5, 50000.5},
  };
  for (const Case& c : cases) {
    Tally tally = Lengths(c.ticks);
    EXPECT_DOUBLE_EQ(tally.MeanTicks(), c.mean);
    EXPECT_DOUBLE_EQ(tally.MedianTicks(), c.median);
  }
}

TEST(Tally, UnfinishedBattlesCountApartAndNotInTheLengths) {
  Tally tally = Lengths({4, 6});
  tally.Add({Winner::kUnfinished, kTickCap});
  EXPECT_EQ(tally.unfinished, 1u);
  EXPECT_EQ(tally.battles(), 3u);
  EXPECT_EQ(tally.finished(), 2u);
  EXPECT_DOUBLE_EQ(tally.MeanTicks(), 5);
  EXPECT_EQ(tally.LengthCount(kTickCap), 0u);
}

TEST(Tally, MergeAddsEverything) {
  Tally a = Lengths({1, 2, 3});
  Tally b = Lengths({3, 50});
  b.Add({Winner::kUnfinished, kTickCap});
  a.Merge(b);
  EXPECT_EQ(a.first_wins, 3u);
  EXPECT_EQ(a.second_wins, 2u);
  EXPECT_EQ(a.unfinished, 1u);
  EXPECT_EQ(a.LengthCount(3), 2u);
  EXPECT_DOUBLE_EQ(a.MedianTicks(), 3);
}

TEST(WilsonInterval, KnownValues) {
  struct Case {
    uint64_t successes, trials;
    double low, high;
  };
  // Reference values of the Wilson score interval at z = 1.959964.
  const Case cases[] = {
      {0, 10, 0.0, 0.27753280},
      {5, 10, 0.23659309, 0.76340691},
      {10, 10, 0.72246720, 1.0},
      {1, 100, 0.00176743, 0.05448620},
      {532117, 1000000, 0.53113892, 0.53309483},
  };
  for (const Case& c : cases) {
    Interval ci = WilsonInterval(c.successes, c.trials);
    EXPECT_NEAR(ci.low, c.low, 1e-7) << c.successes << "/" << c.trials;
    EXPECT_NEAR(ci.high, c.high, 1e-7) << c.successes << "/" << c.trials;
  }
  Interval none = WilsonInterval(0, 0);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_EQ(none.high, 1.0);
}

}  // namespace
}  // namespace bramble::lab
