#ifndef BRAMBLE_BATTLE_RANDOM_H_
#define BRAMBLE_BATTLE_RANDOM_H_

#include <cstdint>

namespace bramble {

/// The game's only source of chance: a linear congruential generator with a
/// 32-bit state and 15-bit outputs (state * 214013 + 2531011, output bits
/// 16 to 30), the same on every machine, so a battle replays draw for draw
/// from the same seed. Each thread has its own generator; the game has one
/// thread.

/// Seeds from the calendar clock, then discards one output.
void SeedRandom();
/// Seeds with a chosen value, then discards one output, as SeedRandom does.
void SeedRandomWith(uint32_t seed);

/// A fraction in [0, 1 - 2^-30]: output k times (2^15 + 1) / 2^30.
double RandomFraction();
/// An integer in a..b-1 (a when a == b, drawing nothing).
inline int32_t RandomInt(int32_t a, int32_t b);

/// The raw generator state, for tools that replay a battle from the state
/// it started with. Setting it marks the generator as seeded.
uint32_t RandomState();
void SetRandomState(uint32_t state);

// The generator lives here rather than in random.cpp so that RandomInt, the
// draw every rule makes, inlines into the battle code: the win-rate lab
// plays billions of battles. Nothing outside this file touches it.
namespace random_detail {

inline thread_local uint32_t state = 1;
inline thread_local bool seeded = false;

inline uint32_t NextOutput() {
  state = state * 214013u + 2531011u;
  return (state >> 16) & 0x7FFFu;
}

}  // namespace random_detail

inline int32_t RandomInt(int32_t a, int32_t b) {
  if (a == b)
    return a;
  if (!random_detail::seeded)
    SeedRandom();
  // a + floor(k * (2^15 + 1) * n / 2^30), worked out in integers: it is the
  // fraction times n, floored, without any rounding for any n.
  int64_t n = static_cast<int64_t>(b) - a;
  int64_t k = random_detail::NextOutput();
  return static_cast<int32_t>(a + ((k * 32769 * n) >> 30));
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RANDOM_H_
