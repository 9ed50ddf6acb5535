#ifndef BRAMBLE_BATTLE_RULES_H_
#define BRAMBLE_BATTLE_RULES_H_

// The numbers of the battle rules, each written once: the bounds of every
// draw, the thresholds of every check, the costs, and the two numeric rules
// every Part shares (PercentOf and AttributeCheck). The game's rules
// (attack.cpp, respond.cpp, songs.cpp, bout.cpp) and the lab's lanes both
// play by these names.

#include <cstdint>

namespace bramble {

/// What an attack was, as the Arena needs it for the ticks that follow.
enum class ActionKind : int32_t {
  NormalAttack = 0,
  MagicAttack = 1,
  Pummel = 2,
  Poison = 3,
  Song = 4,
};

/// Which step the next tick of a battle performs.
enum class TurnState : int32_t { AttackTurn = 0, ResponseTurn = 1, PummelTurn = 2 };

/// The bounds of a draw: RandomInt(from, to) gives from .. to - 1.
struct Range {
  int32_t from;
  int32_t to;
};

namespace rules {

// The Arena: who attacks first (fighter two on a 1), the blows of a
// beating and each blow's roll, and the range every status line keeps hp in.
inline constexpr Range kFirstAttacker{0, 2};
inline constexpr Range kPummelBlows{2, 5};
inline constexpr Range kBlowRoll{60, 100};
inline constexpr int32_t kLowestHp = 0;
inline constexpr int32_t kHighestHp = 255;

// Attacks: four families; the roll every attribute check takes.
inline constexpr Range kAttackFamily{0, 4};
inline constexpr Range kCheckRoll{0, 30};
inline constexpr int32_t kMagicAttackMp = 11;    // family 0 with this much mp or more
inline constexpr int32_t kLastStandHp = 39;      // family 2 with this much hp or less
inline constexpr int32_t kPummelThreshold = 60;  // atk
inline constexpr int32_t kPoisonThreshold = 60;  // cunning
inline constexpr int32_t kSongThreshold = 60;    // cunning
inline constexpr Range kNormalAttackRoll{60, 120};
inline constexpr Range kMagicAttackRoll{40, 80};
inline constexpr Range kMagicAttackCost{10, 35};
inline constexpr Range kPummelAttackRoll{50, 100};
inline constexpr Range kPummelDefenceRoll{30, 80};
inline constexpr Range kLastStandGain{20, 60};

// Answers: three families (a song is always listened to).
inline constexpr Range kResponseFamily{0, 3};
inline constexpr int32_t kMagicDefenceMp = 21;       // family 0 with this much mp or more
inline constexpr int32_t kDeflectionThreshold = 70;  // cunning
inline constexpr int32_t kEvasionThreshold = 60;     // agility
inline constexpr Range kPlainDefenceRoll{80, 130};
inline constexpr Range kMagicDefenceRoll{60, 100};
inline constexpr Range kMagicDefenceCost{20, 45};
inline constexpr Range kDeflectionRoll{20, 40};

// Songs: the titles and reactions drawn, the listener's three chances
// against its cunning, each with its own roll, and what a refresh gives
// or a song takes. RandomInt(20, 100) is RandomInt(0, 80) + 20, output for
// output.
inline constexpr int32_t kSongTitleCount = 21;
inline constexpr int32_t kReactionLineCount = 9;
inline constexpr Range kSongTitle{0, kSongTitleCount};
inline constexpr Range kReaction{0, kReactionLineCount};
inline constexpr Range kListenRoll{0, 40};
inline constexpr int32_t kUnmovedThreshold = 90;
inline constexpr int32_t kRefreshedThreshold = 80;
inline constexpr int32_t kSingerRefreshedThreshold = 70;
inline constexpr Range kRefreshHp{20, 100};
inline constexpr Range kRefreshMp{20, 60};
inline constexpr Range kSongHurt{20, 60};

}  // namespace rules

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
/// less (PercentOf(100, 50) is 49).
inline int32_t PercentOf(int32_t roll, int32_t base) {
  // 0.01f is exactly 5368709 / 2^29. For every product the game can reach,
  // multiplying by it is exact in 64-bit integers and the shift floors.
  static_assert(static_cast<double>(0.01f) == 5368709.0 / 536870912.0);
  int64_t product = static_cast<int64_t>(roll) * base;
  if (product > -(int64_t{1} << 40) && product < (int64_t{1} << 40))
    return static_cast<int32_t>((product * 5368709) >> 29);
  return PercentOfLarge(product);
}

/// The beating's attack term: roll * atk * 0.01f rounded to single
/// precision, then floored, so a multiple of 100 comes out whole (5000
/// gives 50, where PercentOf gives 49).
int32_t PummelAttackTerm(int32_t roll, int32_t atk);

/// Halving by poison rounds toward positive infinity: 7 -> 4, -7 -> -3.
inline int32_t HalveUp(int32_t x) { return x / 2 + (x % 2 > 0 ? 1 : 0); }

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RULES_H_
