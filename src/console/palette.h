#ifndef BRAMBLE_CONSOLE_PALETTE_H_
#define BRAMBLE_CONSOLE_PALETTE_H_

#include <cstdint>
#include <string>

namespace bramble {

/// The sixteen console colours where the game draws them itself (the page,
/// the lab's pictures): each keeps its role (bits 1 blue, 2 green, 4 red, 8
/// light), and every foreground reaches 4.5:1 on colour 0, the background.
/// A terminal or console shows its own palette instead.
struct Rgb {
  uint8_t red, green, blue;
};
Rgb PaletteColour(int colour);

/// A colour as CSS and SVG write it: "#rrggbb".
std::string HexColour(Rgb rgb);

/// The WCAG contrast ratio of two colours, 1 to 21.
double Contrast(Rgb a, Rgb b);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_PALETTE_H_
