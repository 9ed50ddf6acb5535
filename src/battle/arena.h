#ifndef BRAMBLE_BATTLE_ARENA_H_
#define BRAMBLE_BATTLE_ARENA_H_

#include <cstdint>
#include <string_view>

#include "battle/bout.h"
#include "battle/narrator.h"
#include "battle/random.h"
#include "battle/ticker.h"

namespace bramble {

/// Runs the battles of a run on one pacing timer: Setup and Battle for the
/// first, Rematch for every later one. One step of the bout per tick of
/// the tick source it is given (the platform timer in the game), every
/// draw from the caller's generator, everything told to the caller's
/// narrator.
class Arena {
 public:
  Arena(Ticker ticks, Narrator& narrator, Dice& dice);

  /// Builds both fighters (telling of each), draws the first attacker and
  /// starts the timer. Does not run the battle.
  void Setup(std::string_view name1, std::string_view name2);
  /// Runs one battle to its end: it returns one tick after the defeat line.
  /// Returns the last result of the tick wait.
  int Battle();
  /// Rebuilds both fighters, draws the first attacker and runs Battle on the
  /// timer already started.
  int Rematch(std::string_view name1, std::string_view name2);

  int32_t interval = kDefaultInterval;  // ms; takes effect at Setup
  int32_t timer_id = 0;
  Bout bout;
  Ticker ticker;

 private:
  void Build(std::string_view name1, std::string_view name2);

  Dice& dice_;
};

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ARENA_H_
