#ifndef BRAMBLE_LAB_DEFAULTS_H_
#define BRAMBLE_LAB_DEFAULTS_H_

#include <cstdint>

namespace bramble::lab {

/// Battles in a pair's sample unless told otherwise.
constexpr uint64_t kDefaultBattles = 1000000;
/// Battles per pair of a ranking's sample unless told otherwise.
constexpr uint64_t kDefaultRankBattles = 100000;

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_DEFAULTS_H_
