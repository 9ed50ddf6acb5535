#include "codec/md5.h"

#include <string>

#include <gtest/gtest.h>

namespace bramble {
namespace {

// The sources are compiled for the GBK code page, so Chinese literals are
// the bytes that the game reads and hashes.
TEST(ExecCharset, LiteralsAreGbk) {
  EXPECT_EQ(std::string("甲乙"), "\xBC\xD7\xD2\xD2");
  EXPECT_EQ(std::string("擠"), "\x94\x44");
}

struct Md5Case {
  std::string input;
  const char* text;
};

TEST(Md5Text, KnownDigests) {
  const Md5Case cases[] = {
      // RFC 1321 appendix A.5, with each word's bytes reversed.
      {"", "D98C1DD404B2008F980980E97E42F8EC"},
      {"a", "B975C10CA8B6F1C0E299C33161267769"},
      {"abc", "98500190B04FD23C7D3F96D6727FE128"},
      {"message digest", "7D696BF98D93B77C312F5A52D061F1AA"},
      {"abcdefghijklmnopqrstuvwxyz", "D7D3FCC300E492616C49FB7D3BE167CA"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "98AB74D1F5D977D22C1C61A59F9D419F"},
      {"1234567890123456789012345678901234567890"
       "1234567890123456789012345678901234567890",
       "A2F4ED5755C9E32B2EDA49AC7AB60721"},
      // Word A starts with a zero digit, which must be written out.
      {"i", "0B0C5C8663E0B04A38A3CAE541871A7C"},
      {"甲乙", "D35C9E03DA7D3BAEAC25DCD637B27994"},
      // Case is not folded.
      {"Abc", "7C3B5935AE0E02E5D58FA63C31E0F3B6"},
      // Around the padding boundaries: 55 bytes still fit the length in the
      // last block, 56 need another; 64 and 128 end exactly on a block.
      {std::string(55, 'a'), "B67217EF22A1F9DF9552853565DFD04A"},
      {std::string(56, 'a'), "C78A0C3BB028F80370196C4C1872D106"},
      {std::string(63, 'a'), "F32165B018D65391BE060655D5667429"},
      {std::string(64, 'a'), "D44248014971B58063034A5A67733F79"},
      {std::string(65, 'a'), "5EA443C7956A2E0DDA9A85CB358424E0"},
      {std::string(119, 'a'), "73D07B8A8CA2D62EAB6D5FE713160EC9"},
      {std::string(120, 'a'), "CCC0615F44AC4CAD05F55FC737E5F1E1"},
      {std::string(128, 'a'), "3B6810E540FE5F3F8021D09370FFC68B"},
  };
  for (const Md5Case& c : cases)
    EXPECT_EQ(Md5Text(c.input), c.text) << "input length " << c.input.size();
}

TEST(Md5Text, StopsAtFirstZeroByte) {
  using namespace std::string_literals;
  EXPECT_EQ(Md5Text("abc\0def"s), Md5Text("abc"));
  EXPECT_EQ(Md5Text("\0abc"s), Md5Text(""));
}

}  // namespace
}  // namespace bramble
