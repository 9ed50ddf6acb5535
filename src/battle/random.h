#ifndef BRAMBLE_BATTLE_RANDOM_H_
#define BRAMBLE_BATTLE_RANDOM_H_

#include <cstdint>

#include "battle/rules.h"

namespace bramble {

/// One step of the generator from `state`: the next 15-bit output.
inline uint32_t NextOutput(uint32_t& state) {
  state = state * 214013u + 2531011u;
  return (state >> 16) & 0x7FFFu;
}

/// RandomInt's result for output k: a + floor(k * (2^15 + 1) * n / 2^30),
/// worked out in integers (the fraction times n, floored, without any
/// rounding for any n).
inline int32_t ScaleOutput(uint32_t k, int32_t a, int32_t b) {
  int64_t n = static_cast<int64_t>(b) - a;
  return static_cast<int32_t>(a + ((int64_t{k} * 32769 * n) >> 30));
}

/// The game's only source of chance: a linear congruential generator with a
/// 32-bit state and 15-bit outputs (state * 214013 + 2531011, output bits
/// 16 to 30), the same on every machine, so a battle replays draw for draw
/// from the same state. Its owner passes it to whatever draws: the game
/// holds one for the whole session, the lab one per battle.
struct Dice {
  /// Seeds with `seed` and discards one output, as the game seeds.
  static Dice Seeded(uint32_t seed);
  /// Seeded from the calendar clock (random_platform::ClockSeed).
  static Dice FromClock();

  /// A fraction in [0, 1 - 2^-30]: output k times (2^15 + 1) / 2^30.
  double RandomFraction();
  /// An integer in a..b-1 (a when a == b, drawing nothing).
  int32_t RandomInt(int32_t a, int32_t b) {
    if (a == b)
      return a;
    return ScaleOutput(NextOutput(state), a, b);
  }
  int32_t RandomInt(Range range) { return RandomInt(range.from, range.to); }

  uint32_t state = 1;  // the generator state; the next draw steps it first
};

namespace random_platform {
/// The value the game seeds with: the calendar clock in whole seconds
/// (seed_clock.cpp), or the seed a page was opened with (seed_web.cpp).
uint32_t ClockSeed();
}  // namespace random_platform

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RANDOM_H_
