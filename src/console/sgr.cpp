#include "console/sgr.h"

#include <charconv>

#include "console/console.h"

namespace bramble {

namespace {

// Console colour bits (blue 1, green 2, red 4) to a terminal colour number.
int TerminalColor(unsigned bits) {
  return ((bits & 4u) ? 1 : 0) | ((bits & 2u) ? 2 : 0) | ((bits & 1u) ? 4 : 0);
}

// The colours the game writes that vanish on white: bright white (15),
// yellow (14), light cyan (11) and light green (10) turn to black and the
// dark forms; every other colour keeps its role as it is.
unsigned OnLightBackground(unsigned foreground) {
  switch (foreground) {
    case 15:
      return 0;
    case 14:
      return 6;
    case 11:
      return 3;
    case 10:
      return 2;
    default:
      return foreground;
  }
}

}  // namespace

std::string SgrSequence(uint16_t attribute, bool light_background) {
  if (attribute == kDefaultAttribute)
    return "\x1b[0m";
  unsigned foreground = attribute & 0x0Fu;
  unsigned background = (attribute >> 4) & 0x0Fu;
  if (light_background && background == 0)  // on the terminal's own background
    foreground = OnLightBackground(foreground);
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

bool IsLightBackground(const char* colorfgbg) {
  if (!colorfgbg)
    return false;
  std::string_view value = colorfgbg;
  size_t semicolon = value.rfind(';');
  if (semicolon == std::string_view::npos)
    return false;
  std::string_view background = value.substr(semicolon + 1);
  int number = 0;
  auto [end, error] =
      std::from_chars(background.data(), background.data() + background.size(), number);
  if (error != std::errc() || end != background.data() + background.size())
    return false;
  return number == 7 || (number >= 9 && number <= 15);
}

}  // namespace bramble
