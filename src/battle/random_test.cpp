#include "battle/random.h"

#include <gtest/gtest.h>

#include <cmath>

#include "battle/draw_script_test.h"

namespace bramble {
namespace {

TEST(Random, SeedingDiscardsTheFirstOutput) {
  // Seeded with 1 the first output is 41 and is discarded; the second is
  // 18467. Seeded with 0 the first is 38, then 7719.
  EXPECT_EQ(Dice::Seeded(1).RandomInt(0, 32768), 18467);
  EXPECT_EQ(Dice::Seeded(0).RandomInt(0, 32768), 7719);
  EXPECT_EQ(Dice{1}.RandomInt(0, 32768), 41);
}

TEST(Random, FractionSpansZeroToJustBelowOne) {
  EXPECT_EQ(ScriptDraws({{0, 32768, 0}}).RandomFraction(), 0.0);
  EXPECT_EQ(ScriptDraws({{0, 32768, 32767}}).RandomFraction(), 1.0 - std::ldexp(1.0, -30));
}

TEST(Random, EqualBoundsDrawNothing) {
  Dice dice{12345};
  EXPECT_EQ(dice.RandomInt(5, 5), 5);
  EXPECT_EQ(dice.state, 12345u);
  EXPECT_EQ(dice.RandomInt(0, 1), 0);
  EXPECT_NE(dice.state, 12345u);  // bounds 0 and 1 still draw
}

// A state whose next output is k: state * 214013 + 2531011 = k << 16, and
// 214013 is odd, so it has an inverse modulo 2^32.
uint32_t StateBefore(uint32_t k) {
  constexpr uint32_t kInverse = 0xB9B33155u;
  static_assert(214013u * kInverse == 1u);
  return ((k << 16) - 2531011u) * kInverse;
}

// Every output k gives a + floor(k * (2^15 + 1) * n / 2^30), for the bounds
// the game draws with.
TEST(Random, EveryOutputMapsExactlyForTheGamesBounds) {
  const int32_t bounds[][2] = {{0, 2},    {2, 5},   {60, 100}, {0, 4},    {0, 3},   {0, 30},
                               {60, 120}, {40, 80}, {10, 35},  {50, 100}, {30, 80}, {20, 60},
                               {80, 130}, {20, 45}, {20, 40},  {0, 40},   {0, 80},  {0, 21},
                               {0, 9},    {-5, 5},  {0, 32768}};
  for (const auto& bound : bounds) {
    int32_t a = bound[0];
    int32_t b = bound[1];
    int64_t n = b - a;
    int below_half = 0;
    for (uint32_t k = 0; k < 32768; ++k) {
      int32_t got = Dice{StateBefore(k)}.RandomInt(a, b);
      int32_t want = static_cast<int32_t>(a + (int64_t{k} * 32769 * n) / (int64_t{1} << 30));
      ASSERT_EQ(got, want) << "k=" << k << " bounds " << a << "," << b;
      if (a == 0 && b == 2 && got == 0)
        ++below_half;
    }
    if (a == 0 && b == 2) {
      EXPECT_EQ(below_half, 16384);
    }
  }
}

TEST(Random, FirstDrawSplitsAsDocumented) {
  // bounds 60 and 100: 60 for k = 0..819, 61 from 820, 99 from 31948.
  auto at = [](uint32_t k) { return Dice{StateBefore(k)}.RandomInt(60, 100); };
  EXPECT_EQ(at(819), 60);
  EXPECT_EQ(at(820), 61);
  EXPECT_EQ(at(1638), 61);
  EXPECT_EQ(at(1639), 62);
  EXPECT_EQ(at(31947), 98);
  EXPECT_EQ(at(31948), 99);
}

}  // namespace
}  // namespace bramble
