#include "codec/radix_text.h"

#include <string>

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(RadixText, Examples) {
  struct Case {
    uint32_t value;
    uint32_t radix;
    const char* text;
  };
  const Case cases[] = {
      {1000, 10, "1000"},
      {255, 16, "FF"},
      {0, 16, "0"},
      {0, 2, "0"},
      {4294967295u, 16, "FFFFFFFF"},
      {0x80000000u, 10, "2147483648"},
      {4294967295u, 2, "11111111111111111111111111111111"},
      {4294967295u, 36, "1Z141Z3"},
      {5, 1, "101"},  // radix raised to 2
      {5, 0, "101"},
      {35, 99, "Z"},  // radix lowered to 36
      {36, 36, "10"},
      {0x0ABCDEF0u, 16, "ABCDEF0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RadixText(c.value, c.radix), c.text) << c.value << " in radix " << c.radix;
}

TEST(RadixText, ReadsBackInEveryRadix) {
  const uint32_t values[] = {1, 2, 35, 36, 1295, 1296, 65535, 4294967295u};
  for (uint32_t radix = 2; radix <= 36; ++radix) {
    for (uint32_t value : values) {
      std::string text = RadixText(value, radix);
      EXPECT_EQ(std::stoul(text, nullptr, static_cast<int>(radix)), value)
          << text << " in radix " << radix;
    }
  }
}

}  // namespace
}  // namespace bramble
