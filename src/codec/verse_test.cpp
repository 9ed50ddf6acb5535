#include "codec/verse.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "codec/base64.h"

namespace bramble {
namespace {

TEST(HiddenVerse, StoredForm) {
  ASSERT_EQ(kHiddenVerse.size(), 176u);
  EXPECT_EQ(kHiddenVerse.find_first_not_of(kBase64Alphabet), std::string_view::npos);
  EXPECT_EQ(kHiddenVerse.find('='), 175u);
}

TEST(HiddenVerse, DecodesToTwelveGbkLines) {
  std::string verse = Base64Decode(kHiddenVerse);
  ASSERT_EQ(verse.size(), 131u);
  EXPECT_EQ(std::count(verse.begin(), verse.end(), '\n'), 12);
  EXPECT_EQ(verse.find('<'), std::string::npos);  // no colour markup
  EXPECT_EQ(verse.substr(verse.size() - 2), "\n\n");

  // Title of two characters, then five blanks and five characters.
  size_t title_end = verse.find('\n');
  EXPECT_EQ(title_end, 4u);
  size_t second_end = verse.find('\n', title_end + 1);
  EXPECT_EQ(second_end - title_end - 1, 15u);
  EXPECT_EQ(verse.find_first_not_of(' ', title_end + 1), title_end + 6);
  EXPECT_EQ(std::count(verse.begin(), verse.end(), ' '), 5);

  // Every other byte belongs to a double-byte GBK character: a lead byte
  // 81..FE followed by a trail byte 40..FE other than 7F.
  for (size_t i = 0; i < verse.size(); ++i) {
    if (verse[i] == ' ' || verse[i] == '\n')
      continue;
    unsigned char lead = static_cast<unsigned char>(verse[i]);
    ASSERT_LT(i + 1, verse.size());
    unsigned char trail = static_cast<unsigned char>(verse[i + 1]);
    EXPECT_TRUE(lead >= 0x81 && lead <= 0xFE) << "at " << i;
    EXPECT_TRUE(trail >= 0x40 && trail <= 0xFE && trail != 0x7F) << "at " << i;
    ++i;
  }
}

}  // namespace
}  // namespace bramble
