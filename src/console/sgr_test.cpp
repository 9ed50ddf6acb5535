#include "console/sgr.h"

#include <gtest/gtest.h>

namespace bramble {
namespace {

TEST(SgrSequence, MapsConsoleColourBitsToTerminalColours) {
  struct Case {
    uint16_t attribute;
    const char* sgr;
  };
  const Case cases[] = {
      {7, "\x1b[0m"},                                   // the terminal's own default colours
      {12, "\x1b[0;91;49m"},                            // bright red: red is bit 2 on the console
      {9, "\x1b[0;94;49m"},                             // bright blue
      {3, "\x1b[0;36;49m"},                             // cyan
      {5, "\x1b[0;35;49m"},                             // magenta
      {6, "\x1b[0;33;49m"},                             // dark yellow
      {14, "\x1b[0;93;49m"},                            // yellow
      {15, "\x1b[0;97;49m"},    {30, "\x1b[0;93;44m"},  // yellow on blue
      {0x4C, "\x1b[0;91;41m"},                          // bright red on red
      {0xCA, "\x1b[0;92;101m"},                         // bright green on bright red
      {0x10, "\x1b[0;30;44m"},  {0xFFFF, "\x1b[0;97;107;7;4m"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SgrSequence(c.attribute), c.sgr) << c.attribute;
}

TEST(SgrSequence, LightBackgroundsGetColoursThatStayReadable) {
  struct Case {
    uint16_t attribute;
    const char* sgr;
  };
  const Case cases[] = {
      {15, "\x1b[0;30;49m"},                                                  // bright white: black
      {14, "\x1b[0;33;49m"},                                                  // yellow: dark yellow
      {11, "\x1b[0;36;49m"}, {10, "\x1b[0;32;49m"},   {12, "\x1b[0;91;49m"},  // readable as it is
      {7, "\x1b[0m"},        {0x1F, "\x1b[0;97;44m"},  // on a background of its own: unchanged
  };
  for (const Case& c : cases)
    EXPECT_EQ(SgrSequence(c.attribute, true), c.sgr) << c.attribute;
}

TEST(IsLightBackground, ReadsTheLastFieldOfColorfgbg) {
  struct Case {
    const char* value;
    bool light;
  };
  const Case cases[] = {
      {"0;15", true},
      {"0;7", true},
      {"0;default;15", true},
      {"12;11", true},
      {"15;0", false},
      {"7;8", false},
      {"default;default", false},
      {"0;16", false},
      {"0;115", false},
      {"15", false},
      {"", false},
      {nullptr, false},
      {"0;", false},
      {"0;1x", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsLightBackground(c.value), c.light) << (c.value ? c.value : "(unset)");
}

TEST(ShowControls, ShowsTerminalControlsAndKeepsEverythingElse) {
  EXPECT_EQ(ShowControls("a\x1b[31mb"), "a^[[31mb");
  EXPECT_EQ(ShowControls(std::string_view("\0\x01\x7f", 3)), "^@^A^?");
  EXPECT_EQ(ShowControls("line\r\n\ttab\a"), "line\r\n\ttab\a");
  EXPECT_EQ(ShowControls("\xBC\xD7\x94\x44"), "\xBC\xD7\x94\x44");  // GBK passes
}

}  // namespace
}  // namespace bramble
