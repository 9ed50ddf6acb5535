#ifndef BRAMBLE_BATTLE_RANDOM_H_
#define BRAMBLE_BATTLE_RANDOM_H_

#include <cstdint>
#include <type_traits>

namespace bramble {

/// The game's only source of chance: a linear congruential generator with a
/// 32-bit state and 15-bit outputs (state * 214013 + 2531011, output bits
/// 16 to 30), the same on every machine, so a battle replays draw for draw
/// from the same seed. Each thread has its own generator; the game has one
/// thread.

/// Seeds from the calendar clock (random_platform::ClockSeed), then
/// discards one output.
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

/// RandomInt's rule on a given generator state: draws nothing when a == b.
inline int32_t DrawInt(uint32_t& state, int32_t a, int32_t b) {
  if (a == b)
    return a;
  return ScaleOutput(NextOutput(state), a, b);
}

/// A if `condition`, else b, by masks: a choice the rules make between two
/// worked-out values without a jump the processor could mispredict.
template <class T>
inline T Select(bool condition, T a, T b) {
  using U = std::make_unsigned_t<T>;
  U mask = U{0} - static_cast<U>(condition);
  return static_cast<T>((static_cast<U>(a) & mask) | (static_cast<U>(b) & ~mask));
}

namespace random_platform {
/// The value SeedRandom seeds with: the calendar clock in whole seconds
/// (seed_clock.cpp), or the seed a page was opened with (seed_web.cpp).
uint32_t ClockSeed();
}  // namespace random_platform

// The generator lives here rather than in random.cpp so that RandomInt, the
// draw every rule makes, inlines into the battle code. Nothing outside this
// file touches it.
namespace random_detail {

inline thread_local uint32_t state = 1;
inline thread_local bool seeded = false;

}  // namespace random_detail

inline int32_t RandomInt(int32_t a, int32_t b) {
  if (a == b)
    return a;
  if (!random_detail::seeded)
    SeedRandom();
  return DrawInt(random_detail::state, a, b);
}

/// Where the battle rules take their draws from. The game draws from the
/// thread's generator; the lab hands the rules a generator of its own,
/// which lives in a register for a whole battle. Both make the same draws.
/// State and SetState let a rule read its draws ahead (BasicDrawsAhead).
struct ThreadDice {
  int32_t RandomInt(int32_t a, int32_t b) { return bramble::RandomInt(a, b); }
  uint32_t State() {
    if (!random_detail::seeded)
      SeedRandom();
    return random_detail::state;
  }
  void SetState(uint32_t state) { random_detail::state = state; }
};

struct LocalDice {
  uint32_t state;  // the generator state, always seeded
  int32_t RandomInt(int32_t a, int32_t b) { return DrawInt(state, a, b); }
  uint32_t State() const { return state; }
  void SetState(uint32_t next) { state = next; }
};

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RANDOM_H_
