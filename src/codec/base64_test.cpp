#include "codec/base64.h"

#include <string>

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(kBase64Alphabet, ValuesArePositions) {
  ASSERT_EQ(kBase64Alphabet.size(), 65u);
  EXPECT_EQ(kBase64Alphabet.find('a'), 26u);
  EXPECT_EQ(kBase64Alphabet.find('+'), 62u);
  EXPECT_EQ(kBase64Alphabet.find('='), 64u);
}

TEST(Base64Decode, Groups) {
  using namespace std::string_literals;
  struct Case {
    std::string text;
    std::string bytes;
  };
  const Case cases[] = {
      {"", ""},
      {"QUJD", "ABC"},
      {"TWFu", "Man"},
      {"+/+/", "\xFB\xFF\xBF"},
      {"QUI=", "AB"},
      {"QUJ=", "AB"},  // low bits before the pad are ignored
      {"QQ==", "A"},
      {"Q===", ""},
      {"QU=D", "A"},         // the first "=" ends the group
      {"QQ==QUJD", "AABC"},  // and only that group
      // Characters outside the alphabet count as 255, bytes wrap at 256.
      {"QUJ\n", "AB?"},
      {"\nQQ=", "\xFD\x04"},
      {"A\n==", "\x03"},
      {"QUJD\0\0\0\0"s, "ABC\xFF\xFF\xBF"},  // zero is not in it
      // A short last group reads as if padded.
      {"QUJ", "AB"},
      {"QQ", "A"},
      {"Q", ""},
      {"QUJDQQ", "ABCA"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Base64Decode(c.text), c.bytes) << "text " << c.text;
}

}  // namespace
}  // namespace bramble
