#ifndef BRAMBLE_LAB_START_STATES_H_
#define BRAMBLE_LAB_START_STATES_H_

#include <cstdint>

namespace bramble::lab {

/// Every start state a battle can begin from: the generator's 2^32 states.
constexpr uint64_t kStateCount = uint64_t{1} << 32;

/// A battle that has not ended after this many ticks is stopped and counted
/// apart as unfinished, so the lab never hangs.
constexpr uint32_t kTickCap = 100000;

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_START_STATES_H_
