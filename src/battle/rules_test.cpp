#include "battle/rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bramble {
namespace {

TEST(PercentOf, FloorsWithTheSinglePrecisionHundredth) {
  struct Case {
    int32_t roll, base, percent;
  };
  const Case cases[] = {
      {100, 50, 49},  // a positive multiple of 100 comes out one less
      {101, 50, 50},   {80, 50, 39}, {81, 50, 40},    {100, 176, 175},
      {101, 176, 177}, {50, 88, 43}, {110, 100, 109}, {7, 0, 0},
      {0, 999, 0},     {99, 1, 0},   {129, 255, 328}, {-100, 50, -50},
      {30, 2, 0},      {39, 2, 0},   {1, 100, 0},     {119, 100000, 118999},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PercentOf(c.roll, c.base), c.percent) << c.roll << " x " << c.base;
}

TEST(PercentOf, AgreesWithTheFloatFormulaEverywhereTheGameReaches) {
  for (int32_t roll = 0; roll < 130; ++roll) {
    for (int32_t base = -300; base < 2000; ++base) {
      double want = std::floor(static_cast<double>(roll * base) * 0.01f);
      ASSERT_EQ(PercentOf(roll, base), static_cast<int32_t>(want)) << roll << " x " << base;
    }
  }
}

TEST(AttributeCheck, PassesOnlyAboveTheSquare) {
  EXPECT_FALSE(AttributeCheck(20, 180, 60));  // exactly 60^2
  EXPECT_TRUE(AttributeCheck(20, 181, 60));
  EXPECT_FALSE(AttributeCheck(29, 124, 60));  // the highest roll with atk 124
  EXPECT_TRUE(AttributeCheck(29, 125, 60));
  EXPECT_FALSE(AttributeCheck(29, 168, 70));
  EXPECT_TRUE(AttributeCheck(29, 169, 70));
  EXPECT_FALSE(AttributeCheck(5, -100, 0));  // a negative product fails
  EXPECT_FALSE(AttributeCheck(0, 500, 0));
  EXPECT_TRUE(AttributeCheck(1, 1, 0));
}

}  // namespace
}  // namespace bramble
