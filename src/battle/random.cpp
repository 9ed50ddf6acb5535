#include "battle/random.h"

namespace bramble {

namespace {

// The scale factor of RandomFraction is the single-precision value nearest
// to 1/32767, which is exactly (2^15 + 1) / 2^30.
constexpr float kScale = 1.0f / 32767.0f;
static_assert(static_cast<double>(kScale) == 32769.0 / 1073741824.0);

}  // namespace

void SeedRandomWith(uint32_t seed) {
  random_detail::seeded = true;  // before the discarded draw, so it does not seed again
  random_detail::state = seed;
  RandomFraction();
}

void SeedRandom() { SeedRandomWith(random_platform::ClockSeed()); }

double RandomFraction() {
  if (!random_detail::seeded)
    SeedRandom();
  return static_cast<double>(NextOutput(random_detail::state)) * static_cast<double>(kScale);
}

uint32_t RandomState() { return random_detail::state; }

void SetRandomState(uint32_t state) {
  random_detail::seeded = true;
  random_detail::state = state;
}

}  // namespace bramble
