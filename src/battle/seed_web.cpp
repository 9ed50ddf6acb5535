// The seed in the browser: the page's `seed` parameter when it has one, so
// that a link replays a battle; otherwise the calendar clock, as natively.
#include <emscripten.h>

#include <cmath>
#include <ctime>

#include "battle/random.h"

namespace bramble::random_platform {

namespace {

// The page's seed, or NaN when the address gives none.
// clang-format off
EM_JS(double, PageSeed, (), {
  var seed = Module["page"] && Module["page"].seed;
  return typeof seed === "number" ? seed : NaN;
});
// clang-format on

}  // namespace

uint32_t ClockSeed() {
  double seed = PageSeed();
  if (std::isnan(seed))
    return static_cast<uint32_t>(std::time(nullptr));
  return static_cast<uint32_t>(seed);
}

}  // namespace bramble::random_platform
