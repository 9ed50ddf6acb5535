#ifndef BRAMBLE_BATTLE_ACTION_H_
#define BRAMBLE_BATTLE_ACTION_H_

#include <cstdint>
#include <string>

#include "battle/narration.h"

namespace bramble {

/// What an attack was, as the Arena needs it for the ticks that follow.
enum class ActionKind : int32_t {
  NormalAttack = 0,
  MagicAttack = 1,
  Pummel = 2,
  Poison = 3,
  Song = 4,
};

struct OneLane;  // battle/lanes.h

/// An attack as the Arena keeps it: its strength, its kind and, narrated,
/// its announcement. In lanes, one strength and kind per lane.
template <Narration N, class L = OneLane>
struct BasicActionResult {
  typename L::Int value{};  // strength in HP points; 0 for a song, unused for poison
  typename L::Kind kind{};  // NormalAttack (0) until an action sets it
  Line<N> message;          // marked-up announcement
};

/// The game's action record, with its announcement.
using ActionResult = BasicActionResult<Narration::kNarrated>;

/// A double as a 32-bit integer, truncated toward zero; INT32_MIN when out
/// of range (attributes can only get there in absurdly long battles).
int32_t TruncateToInt32(double value);

/// The chance test of the battle: sqrt(roll * attribute) > threshold, which
/// for integers is roll * attribute > threshold^2.
inline bool AttributeCheck(int32_t roll, int32_t attribute, int32_t threshold) {
  int64_t product = static_cast<int64_t>(roll) * attribute;
  return product > static_cast<int64_t>(threshold) * threshold;
}

/// PercentOf for products beyond the range of the exact integer form.
int32_t PercentOfLarge(int64_t product);

/// floor(roll * base * 0.01f): percentages use the single-precision 0.01,
/// which lies just below 0.01, so a positive multiple of 100 comes out one
/// less (PercentOf(100, 50) is 49). Inline: every step takes one or two.
inline int32_t PercentOf(int32_t roll, int32_t base) {
  // 0.01f is exactly 5368709 / 2^29. For every product the game can reach,
  // multiplying by it is exact in 64-bit integers and the shift floors.
  static_assert(static_cast<double>(0.01f) == 5368709.0 / 536870912.0);
  int64_t product = static_cast<int64_t>(roll) * base;
  if (product > -(int64_t{1} << 40) && product < (int64_t{1} << 40))
    return static_cast<int32_t>((product * 5368709) >> 29);
  return PercentOfLarge(product);
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ACTION_H_
