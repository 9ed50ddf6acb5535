#include "lab/heat_scale.h"

namespace bramble::lab {

namespace {

constexpr int kTop = 101;  // above every rate in per cent

constexpr HeatStep kSteps[] = {
    {20, 0x4F, "red"},          // white on red
    {40, 0xC0, "light red"},    // black on light red
    {60, 0xE0, "yellow"},       // black on yellow
    {80, 0xA0, "light green"},  // black on light green
    {kTop, 0x2F, "green"},      // white on green
};

}  // namespace

std::span<const HeatStep> HeatSteps() { return kSteps; }

uint16_t HeatColour(double rate) {
  for (const HeatStep& step : kSteps) {
    // below / 100.0 is the double nearest the fraction, as 0.2 is.
    if (rate < step.below / 100.0)
      return step.attribute;
  }
  return kSteps[std::size(kSteps) - 1].attribute;
}

std::string HeatRange(size_t i) {
  if (i == 0)
    return "<" + std::to_string(kSteps[0].below);
  if (i + 1 == std::size(kSteps))
    return ">=" + std::to_string(kSteps[i - 1].below);
  return std::to_string(kSteps[i - 1].below) + "-" + std::to_string(kSteps[i].below);
}

}  // namespace bramble::lab
