#ifndef BRAMBLE_CONSOLE_SGR_H_
#define BRAMBLE_CONSOLE_SGR_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace bramble {

/// The escape sequence (SGR) that shows a console colour attribute on a
/// terminal. Console attributes number their colour bits blue 1, green 2,
/// red 4, intensity 8 (the background the same, four bits up); terminal
/// colour numbers run red 1, green 2, blue 4, so the bits are reordered.
/// Attribute 7, the console's default, gives the terminal's own default
/// colours, and so does a background of 0 (black on the console).
/// On a light terminal background (`light_background`) the colours made for
/// a dark one that would vanish there are shown darker: bright white as
/// black, yellow, light green and light cyan as their dark forms. Text on a
/// background a tag chose keeps its colour.
std::string SgrSequence(uint16_t attribute, bool light_background = false);

/// Whether a COLORFGBG value ("foreground;background", or with a middle
/// field) names a light background colour: 7 (light grey) or 9 to 15.
/// Anything else, "default" or an unset value included, counts as dark.
bool IsLightBackground(const char* colorfgbg);

/// Replaces control bytes that would drive a terminal (C0 other than line
/// feed, carriage return, tab and bell, and DEL) by a visible caret form
/// such as ^[ for ESC. Safe on GBK text: no trail byte is below 0x40 or 0x7F.
std::string ShowControls(std::string_view text);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_SGR_H_
