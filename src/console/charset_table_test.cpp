// The table converters of the browser build against the POSIX build's
// iconv converters, over every character and the malformed input that
// matters: both must give the same bytes.
#include "console/charset_table.h"

#include <gtest/gtest.h>

#include "console/charset.h"

namespace bramble {
namespace {

std::string Utf8Of(uint32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

TEST(CharsetTable, EveryTypedCharacterGivesThePosixBytes) {
  int mismatches = 0;
  for (uint32_t cp = 0; cp <= 0x10FFFF && mismatches < 5; ++cp) {
    if (cp >= 0xD800 && cp < 0xE000)
      continue;
    // Between two ASCII letters, so that a character that is dropped or
    // kept as bytes shows in its context.
    std::string typed = "a" + Utf8Of(cp) + "z";
    std::string want = Utf8ToGbk(typed);
    std::string got = charset_table::Utf8ToGbk(typed);
    if (got != want) {
      ADD_FAILURE() << std::hex << "U+" << cp;
      ++mismatches;
    }
  }
}

TEST(CharsetTable, EveryGbkCodeShowsAsThePosixText) {
  int mismatches = 0;
  for (unsigned lead = 0x80; lead <= 0xFF && mismatches < 5; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF && mismatches < 5; ++trail) {
      for (std::string text : {std::string{char(lead), char(trail)},
                               std::string{char(lead), char(trail), '0', char(0x81), '0'}}) {
        if (charset_table::GbkToUtf8(text) != GbkToUtf8(text)) {
          ADD_FAILURE() << std::hex << lead << " " << trail << " in " << text.size() << " bytes";
          ++mismatches;
        }
      }
    }
  }
}

TEST(CharsetTable, EveryFourByteFormShowsAsThePosixText) {
  // Every form below U+10000, and a sample above it up to past U+10FFFF.
  int mismatches = 0;
  for (unsigned b1 = 0x81; b1 <= 0xFE && mismatches < 5; ++b1) {
    for (unsigned b2 = 0x30; b2 <= 0x39; ++b2) {
      for (unsigned b3 = 0x81; b3 <= 0xFE; b3 += b1 <= 0x84 || b1 >= 0xE3 ? 1 : 37) {
        for (unsigned b4 = 0x30; b4 <= 0x39; ++b4) {
          std::string form{char(b1), char(b2), char(b3), char(b4)};
          if (charset_table::GbkToUtf8(form) != GbkToUtf8(form) && ++mismatches <= 5)
            ADD_FAILURE() << std::hex << b1 << b2 << b3 << b4;
        }
      }
    }
  }
}

TEST(CharsetTable, MalformedUtf8IsKeptAsThePosixBuildKeepsIt) {
  const char* cases[] = {
      "\xC0\xAF",          // overlong "/"
      "\xE0\x80\xAF",      // overlong, three bytes
      "\xF0\x80\x80\xAF",  // overlong, four bytes
      "\xED\xA0\x80",      // a surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xF5\x80\x80\x80",  // no such lead byte
      "\xE7\x94",          // cut short at the end
      "\xE7\x94z\xB2",     // cut short before ASCII, a stray continuation
      "\x80\xBF\xFE\xFF",  // continuation bytes and bytes UTF-8 never uses
      "\xC2\xA0\xC2",      // a no-break space, then a lead byte alone
  };
  for (const char* text : cases)
    EXPECT_EQ(charset_table::Utf8ToGbk(text), Utf8ToGbk(text)) << testing::PrintToString(text);
}

}  // namespace
}  // namespace bramble
