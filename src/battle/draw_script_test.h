#ifndef BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_
#define BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_

// Test helper: finds a generator state from which the next draws come out
// as a test wants, so a test can walk one branch of the rules on purpose.
// The generator is reproduced here independently of the game's code.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "battle/random.h"

namespace bramble {

constexpr int32_t kAny = INT32_MIN;

struct Draw {
  int32_t a;
  int32_t b;
  int32_t want;  // the result of RandomInt(a, b) this draw must give, or kAny
};

inline int32_t ReferenceDraw(uint32_t* state, int32_t a, int32_t b) {
  *state = *state * 214013u + 2531011u;
  int64_t k = (*state >> 16) & 0x7FFF;
  return static_cast<int32_t>(a + (k * 32769 * (int64_t{b} - a)) / (int64_t{1} << 30));
}

/// Sets the generator to the first state whose next draws give `script`.
inline void ScriptDraws(std::initializer_list<Draw> script) {
  for (uint32_t start = 0;; ++start) {
    uint32_t state = start;
    bool fits = true;
    for (const Draw& draw : script) {
      int32_t got = ReferenceDraw(&state, draw.a, draw.b);
      if (draw.want != kAny && got != draw.want) {
        fits = false;
        break;
      }
    }
    if (fits) {
      SetRandomState(start);
      return;
    }
    if (start == UINT32_MAX)
      throw std::runtime_error("no generator state gives these draws");
  }
}

/// The results the next draws of `script` will give, without drawing.
inline std::vector<int32_t> PeekDraws(std::initializer_list<Draw> script) {
  uint32_t state = RandomState();
  std::vector<int32_t> results;
  for (const Draw& draw : script)
    results.push_back(ReferenceDraw(&state, draw.a, draw.b));
  return results;
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_
