#ifndef BRAMBLE_BATTLE_ACTION_H_
#define BRAMBLE_BATTLE_ACTION_H_

#include <cstdint>
#include <string>

namespace bramble {

/// What an attack was, as the Arena needs it for the ticks that follow.
enum ActionKind : int32_t {
  NormalAttack = 0,
  MagicAttack = 1,
  Pummel = 2,
  Poison = 3,
  Song = 4,
};

struct ActionResult {
  int32_t value = 0;    // strength in HP points; 0 for a song, unused for poison
  int32_t kind = NormalAttack;
  std::string message;  // marked-up announcement; empty when not narrated
};

/// floor(roll * base * 0.01f): percentages use the single-precision 0.01,
/// which lies just below 0.01, so a positive multiple of 100 comes out one
/// less (PercentOf(100, 50) is 49).
int32_t PercentOf(int32_t roll, int32_t base);

/// A double as a 32-bit integer, truncated toward zero; INT32_MIN when out
/// of range (attributes can only get there in absurdly long battles).
int32_t TruncateToInt32(double value);

/// The chance test of the battle: sqrt(roll * attribute) > threshold, which
/// for integers is roll * attribute > threshold^2.
bool AttributeCheck(int32_t roll, int32_t attribute, int32_t threshold);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ACTION_H_
