#ifndef BRAMBLE_LAB_HEAT_SCALE_H_
#define BRAMBLE_LAB_HEAT_SCALE_H_

#include <cstdint>
#include <span>
#include <string>

namespace bramble::lab {

/// One step of the heat map's colour scale: the win rates from the step
/// before up to `below` (the last step has no upper end), drawn on a
/// background in bits 4-7 of `attribute` with a foreground in bits 0-3
/// that reads on it, in console colours.
struct HeatStep {
  int below;  // per cent
  uint16_t attribute;
  const char* colour;  // the background's name, for a legend
};

/// Red for a heavy loss through yellow near even to green for a heavy win.
std::span<const HeatStep> HeatSteps();

/// The console attribute of a win rate (0..1): its step's.
uint16_t HeatColour(double rate);

/// The rates of step `i` in per cent: "<20", "20-40", ... ">=80".
std::string HeatRange(size_t i);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_HEAT_SCALE_H_
