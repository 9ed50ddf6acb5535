#include "lab/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

// The browser writes its numbers with printf; they must be the command
// line's, to the byte.
TEST(ShortestNumber, PrintfGivesTheLibrarysText) {
  std::vector<double> values = {0,
                                -0.0,
                                1,
                                0.1,
                                0.469,
                                1e-4,
                                1.5e-4,
                                1e21,
                                1e22,
                                123456.,
                                1e15,
                                1e16,
                                1e17,
                                0.5,
                                1.0 / 3,
                                2.0 / 3,
                                4.656612873077393e-07,
                                1e-300,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::denorm_min(),
                                -2.5};
  std::mt19937_64 random(7);
  for (int i = 0; i < 5000; ++i) {
    double ratio =
        static_cast<double>(random() % 100000) / static_cast<double>(random() % 99999 + 1);
    values.push_back(ratio);
    values.push_back(
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 100));
  }
  for (double value : values)
    ASSERT_EQ(PrintfShortestNumber(value), ShortestNumber(value)) << value;
  EXPECT_EQ(ShortestNumber(std::nan("")), "0");
}

TEST(Ratio, IsOneDivisionOfTheCounts) {
  EXPECT_EQ(ShortestNumber(Ratio(1407, 3000)), "0.469");
  EXPECT_EQ(Ratio(5, 0), 0);
}

}  // namespace
}  // namespace bramble::lab
