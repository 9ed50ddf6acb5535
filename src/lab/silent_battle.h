#ifndef BRAMBLE_LAB_SILENT_BATTLE_H_
#define BRAMBLE_LAB_SILENT_BATTLE_H_

#include <cstdint>
#include <string_view>

#include "battle/bout.h"
#include "battle/fighter.h"
#include "lab/match_up.h"
#include "lab/start_states.h"

namespace bramble::lab {

enum class Winner : uint8_t { kFirst, kSecond, kUnfinished };

/// How one battle went. `ticks` counts the steps from the first attack to
/// the defeat line, both included (the game's Arena waits one tick more
/// before it returns); the cap for an unfinished battle.
struct BattleResult {
  Winner winner = Winner::kUnfinished;
  uint32_t ticks = 0;
};

/// The game's own turn state machine and rules, with no narrator, for one
/// match-up. Each battle starts from copies of its fighters as built, so a
/// battle costs no allocation.
class SilentBattle {
 public:
  explicit SilentBattle(const MatchUp& match);
  SilentBattle(const SilentBattle&) = delete;
  SilentBattle& operator=(const SilentBattle&) = delete;

  /// Plays the battle that starts from generator state `state` (the state
  /// right before the first-attacker draw), as the game's Arena would, with
  /// a generator of its own; stopped unfinished after `tick_cap` ticks.
  BattleResult Run(uint32_t state, uint32_t tick_cap = kTickCap);
  /// The generator state after the last battle's final draw.
  uint32_t state_after() const { return state_after_; }

  /// Both fighters as the last battle left them (as built before any).
  const Fighter& first() const { return bout_.first; }
  const Fighter& second() const { return bout_.second; }

 private:
  Bout bout_;
  Fighter built_first_;
  Fighter built_second_;
  uint32_t state_after_ = 0;
};

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_SILENT_BATTLE_H_
