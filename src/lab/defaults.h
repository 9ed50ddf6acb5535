#ifndef BRAMBLE_LAB_DEFAULTS_H_
#define BRAMBLE_LAB_DEFAULTS_H_

#include <cstdint>

namespace bramble::lab {

/// Battles in a pair's sample unless told otherwise.
constexpr uint64_t kDefaultBattles = 1000000;
/// Battles per pair of a ranking's sample unless told otherwise.
constexpr uint64_t kDefaultRankBattles = 100000;

/// The largest seed the lab takes or draws, 2^53: every seed up to it is a
/// JSON number that JavaScript and jq read back exactly.
constexpr uint64_t kMostSeed = uint64_t{1} << 53;

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_DEFAULTS_H_
