#include "console/palette.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace bramble {
namespace {

// The page's style sheet writes the palette as CSS variables --c0 .. --c15;
// they must be the colours the lab's pictures use.
TEST(Palette, PageStyleSheetHasThePalette) {
  std::ifstream file(BRAMBLE_SOURCE_DIR "/web/page.css");
  ASSERT_TRUE(file) << "web/page.css";
  std::stringstream css;
  css << file.rdbuf();
  std::string text = css.str();
  const std::regex variable("--c([0-9]+): *(#[0-9a-fA-F]{6});");
  int seen = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), variable), end; it != end; ++it) {
    int colour = std::stoi((*it)[1]);
    ASSERT_LT(colour, 16);
    EXPECT_EQ((*it)[2].str(), HexColour(PaletteColour(colour))) << "--c" << colour;
    seen |= 1 << colour;
  }
  EXPECT_EQ(seen, 0xFFFF) << "every colour once in web/page.css";
}

TEST(Palette, ContrastRatio) {
  Rgb black{0, 0, 0}, white{255, 255, 255}, grey{0x77, 0x77, 0x77};
  EXPECT_DOUBLE_EQ(Contrast(black, white), 21.0);
  EXPECT_DOUBLE_EQ(Contrast(white, black), 21.0);
  EXPECT_DOUBLE_EQ(Contrast(grey, grey), 1.0);
  EXPECT_NEAR(Contrast(grey, white), 4.48, 0.01);  // the usual example just below 4.5
}

}  // namespace
}  // namespace bramble
