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
int32_t RandomInt(int32_t a, int32_t b);

/// The raw generator state, for tools that replay a battle from the state
/// it started with. Setting it marks the generator as seeded.
uint32_t RandomState();
void SetRandomState(uint32_t state);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RANDOM_H_
