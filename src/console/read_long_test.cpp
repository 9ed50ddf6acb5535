#include "console/read_long.h"

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(ReadLong, ReadsLikeAtolWithThirtyTwoBitWrapAround) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"250", 250},
      {"", 0},
      {"abc", 0},
      {"-5", -5},
      {"+7", 7},
      {" \t\n12x", 12},
      {"12 34", 12},
      {"--5", 0},
      {"2147483647", 2147483647},
      {"2147483648", INT32_MIN},  // wraps modulo 2^32
      {"4294967296", 0},
      {"4294967306", 10},
      {"-2147483648", INT32_MIN},
      {"99999999999999999999", 1661992959},
      {"i:\\t.txt", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadLong(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace bramble
