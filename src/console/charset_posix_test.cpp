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
  // Two-byte codes GBK leaves unassigned (U+01F9, U+3447) and a four-byte
  // one (U+1F600): each shows as itself again, and the byte after it, at
  // the end of a line or not, is a character of its own.
  struct Case {
    const char* utf8;
    const char* gb18030;
  };
  const Case cases[] = {
      {"\xC7\xB9", "\xA8\xBF"},
      {"\xE3\x91\x87", "\xFE\x56"},
      {"\xF0\x9F\x98\x80", "\x94\x39\xFC\x36"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gb18030);
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gb18030);
    for (const char* after : {"", "a", "\n", "\xBC\xD7"}) {
      EXPECT_EQ(GbkToUtf8(std::string(c.gb18030) + after), std::string(c.utf8) + GbkToUtf8(after));
    }
  }
}

TEST(Charset, EveryTwoByteCodeShowsAsOneCharacter) {
  // Whatever two bytes a player's name holds, what follows them is never
  // swallowed, and a character shown is typed back as the same character
  // (as the same bytes, unless GBK has a form of its own: A2E3 is the euro
  // sign, GBK's 80).
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F)
        continue;
      std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
      std::string shown = GbkToUtf8(code + "z");
      ASSERT_EQ(shown.back(), 'z') << std::hex << lead << ' ' << trail;
      shown.pop_back();
      if (shown.find("\xEF\xBF\xBD") == std::string::npos) {
        EXPECT_EQ(GbkToUtf8(Utf8ToGbk(shown)), shown) << std::hex << lead << ' ' << trail;
      }
    }
  }
}

TEST(Charset, TypedControlCharactersAreNeverShownAsControls) {
  // C1 controls typed on the terminal (U+0099, U+0095 and the escape
  // sequence starter U+009B) hash in their GB18030 form but show as U+FFFD.
  std::string gbk = Utf8ToGbk("B\xC2\x99\xC2\x95\xC2\x9B[31m");
  EXPECT_EQ(gbk, "B\x81\x30\x83\x35\x81\x30\x83\x31\x81\x30\x83\x37[31m");
  EXPECT_EQ(GbkToUtf8(gbk), "B\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD[31m");
}

TEST(Charset, BytesThatAreNotUtf8AreKept) {
  EXPECT_EQ(Utf8ToGbk("a\xFF\xE7\x94z"), "a\xFF\xE7\x94z");
}

}  // namespace
}  // namespace bramble
