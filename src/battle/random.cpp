#include "battle/random.h"

#include <ctime>

namespace bramble {

namespace {

thread_local uint32_t g_state = 1;
thread_local bool g_seeded = false;

// The scale factor of RandomFraction is the single-precision value nearest
// to 1/32767, which is exactly (2^15 + 1) / 2^30.
constexpr float kScale = 1.0f / 32767.0f;
static_assert(static_cast<double>(kScale) == 32769.0 / 1073741824.0);

uint32_t NextOutput() {
  g_state = g_state * 214013u + 2531011u;
  return (g_state >> 16) & 0x7FFFu;
}

}  // namespace

void SeedRandomWith(uint32_t seed) {
  g_seeded = true;  // before the discarded draw, so it does not seed again
  g_state = seed;
  RandomFraction();
}

void SeedRandom() { SeedRandomWith(static_cast<uint32_t>(std::time(nullptr))); }

double RandomFraction() {
  if (!g_seeded)
    SeedRandom();
  return static_cast<double>(NextOutput()) * static_cast<double>(kScale);
}

int32_t RandomInt(int32_t a, int32_t b) {
  if (a == b)
    return a;
  if (!g_seeded)
    SeedRandom();
  // a + floor(k * (2^15 + 1) * n / 2^30), worked out in integers: it is the
  // fraction times n, floored, without any rounding for any n.
  int64_t n = static_cast<int64_t>(b) - a;
  int64_t k = NextOutput();
  return static_cast<int32_t>(a + ((k * 32769 * n) >> 30));
}

uint32_t RandomState() { return g_state; }

void SetRandomState(uint32_t state) {
  g_seeded = true;
  g_state = state;
}

}  // namespace bramble
