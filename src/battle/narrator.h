#ifndef BRAMBLE_BATTLE_NARRATOR_H_
#define BRAMBLE_BATTLE_NARRATOR_H_

#include <cstdint>

#include "battle/fighter.h"

namespace bramble {

/// What can happen in a battle, each told once as it happens.
enum class Happening : int32_t {
  // The Arena: a bare line end on the console; a fighter built (its
  // attribute line, on the console only); the start; a fall.
  kLineBreak,
  kIntroduced,
  kStart,
  kDefeat,
  // Attacks. A last stand is followed, in the same line, by its normal attack.
  kNormalAttack,
  kMagicAttack,
  kPummel,
  kPoison,
  kLastStand,
  kSong,  // number: the title's row
  // Answers, and the blows of a beating.
  kHit,  // number: the damage
  kDodge,
  kMagicDefenceIgnoresNormal,
  kMagicDefenceHit,  // number: the damage
  kMagicDefenceFoils,
  kDeflection,  // number: the damage turned back
  kEvasion,
  kBlow,  // number: the damage
  // Answers to a song; number: the reaction's row, or the hp lost.
  kUnmoved,
  kListenerRefreshed,
  kSingerRefreshed,
  kHurtBySong,
};

/// One thing that happened: who did it (`actor`: the attacker of an attack,
/// the defender of an answer, the listener of a song, the fallen of a
/// defeat, the one hit by a blow), to whom (`other`), and its number.
struct Event {
  Happening what = Happening::kStart;
  const Fighter* actor = nullptr;
  const Fighter* other = nullptr;
  int32_t number = 0;
};

/// Whom a battle tells what happens. The rules say what happened; the
/// narrator makes of it what a player sees: the game's narrator writes the
/// screen and the transcript from its texts, tests record. A battle
/// without one (the lab's) tells nothing.
class Narrator {
 public:
  virtual ~Narrator() = default;
  /// `event` has happened; `first` and `second` stand as they are now
  /// (their hp within 0..255 after every step).
  virtual void Tell(const Event& event, const Fighter& first, const Fighter& second) = 0;
};

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_NARRATOR_H_
