#include "battle/random.h"

namespace bramble {

namespace {

// The scale factor of RandomFraction is the single-precision value nearest
// to 1/32767, which is exactly (2^15 + 1) / 2^30.
constexpr float kScale = 1.0f / 32767.0f;
static_assert(static_cast<double>(kScale) == 32769.0 / 1073741824.0);

}  // namespace

Dice Dice::Seeded(uint32_t seed) {
  Dice dice{seed};
  dice.RandomFraction();  // the first output never reaches a caller
  return dice;
}

Dice Dice::FromClock() { return Seeded(random_platform::ClockSeed()); }

double Dice::RandomFraction() {
  return static_cast<double>(NextOutput(state)) * static_cast<double>(kScale);
}

}  // namespace bramble
