// The pacing tick in the browser. Deadlines follow an absolute schedule on
// the page's monotonic clock (performance.now), so lateness never adds up;
// a wait sleeps on the browser's timer through Asyncify, handing control
// back to the page until the deadline, so the page stays responsive and
// nothing spins. Deadlines that passed while nobody waited count as one
// tick, taken at once.
#include <emscripten.h>

#include <cmath>
#include <cstdint>

#include "battle/ticker.h"

namespace bramble::ticker_platform {

namespace {

double g_period = 0;    // ms; 0 until started
double g_next = 0;      // the next deadline, in performance.now() ms
uint32_t g_chosen = 0;  // ms; a period the player chose on the page, 0: none

// Tells the page about each tick: its count and time show the pace.
// clang-format off
EM_JS(void, PageTick, (), {
  if (Module["page"] && Module["page"].tick)
    Module["page"].tick();
});
// clang-format on

}  // namespace

void Start(uint32_t /*id*/, uint32_t period) {
  g_period = ClampPeriod(g_chosen ? g_chosen : period);
  g_next = emscripten_get_now() + g_period;
}

int Wait() {
  if (g_period == 0)  // never started: nothing would ever tick
    return 0;
  double now = emscripten_get_now();
  while (now < g_next) {
    emscripten_sleep(static_cast<unsigned>(std::ceil(g_next - now)));
    now = emscripten_get_now();
  }
  while (g_next <= now)
    g_next += g_period;
  PageTick();
  return 1;
}

}  // namespace bramble::ticker_platform

/// The page's interval control: the player's period (in ms; the page hands
/// over any positive number) wins over the one the game was started with; a
/// running timer takes it on a schedule from now. Returns the period taken,
/// within the timer's limits.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t BrambleSetInterval(double period) {
  using namespace bramble::ticker_platform;
  // Anything not above 0 (or not a number) becomes the shortest period.
  uint32_t whole = period >= bramble::kMaximumPeriod ? bramble::kMaximumPeriod
                   : period > 0                      ? static_cast<uint32_t>(period)
                                                     : 0;
  g_chosen = bramble::ClampPeriod(whole);
  if (g_period != 0) {
    g_period = g_chosen;
    g_next = emscripten_get_now() + g_period;
  }
  return g_chosen;
}

/// The pace the game keeps when the page's address gives none.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t BrambleDefaultInterval() {
  return bramble::kDefaultInterval;
}
