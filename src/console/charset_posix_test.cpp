#include "console/charset.h"

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(Charset, GbkAndUtf8RoundTrip) {
  EXPECT_EQ(GbkToUtf8("\xBC\xD7\xD2\xD2"), "\xE7\x94\xB2\xE4\xB9\x99");  // 甲乙
  EXPECT_EQ(Utf8ToGbk("\xE7\x94\xB2\xE4\xB9\x99"), "\xBC\xD7\xD2\xD2");
  EXPECT_EQ(Utf8ToGbk("\xE6\x93\xA0"), "\x94\x44");  // the traditional 擠
  EXPECT_EQ(GbkToUtf8("\x94\x44"), "\xE6\x93\xA0");
  EXPECT_EQ(Utf8ToGbk("abc <12>"), "abc <12>");
}

TEST(Charset, UndecodableBytesShowAsReplacementAndTheRestFollows) {
  // A lead byte cut off before "<", and a lone 0xFF.
  EXPECT_EQ(GbkToUtf8("\xBC<x\xFFy"), "\xEF\xBF\xBD<x\xEF\xBF\xBDy");
  EXPECT_EQ(GbkToUtf8("ab\xBC"), "ab\xEF\xBF\xBD");
}

TEST(Charset, TypedWordsBeyondGbkTakeTheirGb18030Form) {
  // U+1F600 is not in GBK: four GB18030 bytes, which show as itself again.
  std::string gbk = Utf8ToGbk("\xF0\x9F\x98\x80");
  EXPECT_EQ(gbk, "\x94\x39\xFC\x36");
  EXPECT_EQ(GbkToUtf8(gbk), "\xF0\x9F\x98\x80");
}

TEST(Charset, BytesThatAreNotUtf8AreKept) {
  EXPECT_EQ(Utf8ToGbk("a\xFF\xE7\x94z"), "a\xFF\xE7\x94z");
}

}  // namespace
}  // namespace bramble
