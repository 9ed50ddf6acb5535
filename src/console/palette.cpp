#include "console/palette.h"

#include <algorithm>
#include <cmath>

#include "console/ascii.h"

namespace bramble {

namespace {

constexpr Rgb kPalette[16] = {
    {0x0c, 0x0c, 0x0c}, {0x5a, 0x82, 0xff}, {0x3c, 0xb4, 0x4b}, {0x2c, 0xb5, 0xc0},
    {0xe8, 0x51, 0x4a}, {0xc8, 0x6a, 0xd2}, {0xc8, 0xa0, 0x20}, {0xc8, 0xc8, 0xc8},
    {0x8c, 0x8c, 0x8c}, {0x8c, 0xb4, 0xff}, {0x6f, 0xea, 0x6f}, {0x5f, 0xf0, 0xf0},
    {0xff, 0x6e, 0x6e}, {0xff, 0x8c, 0xff}, {0xff, 0xff, 0x5a}, {0xff, 0xff, 0xff},
};

double Linear(uint8_t channel) {
  double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb rgb) {
  return 0.2126 * Linear(rgb.red) + 0.7152 * Linear(rgb.green) + 0.0722 * Linear(rgb.blue);
}

}  // namespace

Rgb PaletteColour(int colour) { return kPalette[colour & 15]; }

std::string HexColour(Rgb rgb) {
  std::string hex = "#";
  for (uint8_t channel : {rgb.red, rgb.green, rgb.blue})
    AppendHexByte(&hex, channel);
  return hex;
}

double Contrast(Rgb a, Rgb b) {
  double first = Luminance(a), second = Luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

}  // namespace bramble
