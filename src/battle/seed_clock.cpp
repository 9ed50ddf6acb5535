// The seed of a native build: the calendar clock, in whole seconds.
#include <ctime>

#include "battle/random.h"

namespace bramble::random_platform {

uint32_t ClockSeed() { return static_cast<uint32_t>(std::time(nullptr)); }

}  // namespace bramble::random_platform
