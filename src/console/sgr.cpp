#include "console/sgr.h"

namespace bramble {

namespace {

// Console colour bits (blue 1, green 2, red 4) to a terminal colour number.
int TerminalColor(unsigned bits) {
  return ((bits & 4u) ? 1 : 0) | ((bits & 2u) ? 2 : 0) | ((bits & 1u) ? 4 : 0);
}

}  // namespace

std::string SgrSequence(uint16_t attribute) {
  if (attribute == 7)
    return "\x1b[0m";
  unsigned foreground = attribute & 0x0Fu;
  unsigned background = (attribute >> 4) & 0x0Fu;
  std::string sgr = "\x1b[0;";
  sgr += std::to_string(((foreground & 8u) ? 90 : 30) + TerminalColor(foreground));
  if (background == 0)
    sgr += ";49";
  else
    sgr.append(";").append(
        std::to_string(((background & 8u) ? 100 : 40) + TerminalColor(background)));
  if (attribute & 0x4000u)  // reverse video
    sgr += ";7";
  if (attribute & 0x8000u)  // underscore
    sgr += ";4";
  return sgr + "m";
}

std::string ShowControls(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool passes = c >= 0x20 || c == '\n' || c == '\r' || c == '\t' || c == '\a';
    if (c == 0x7F) {
      shown += "^?";
    } else if (passes) {
      shown += ch;
    } else {
      shown += '^';
      shown += static_cast<char>(c + 0x40);
    }
  }
  return shown;
}

}  // namespace bramble
