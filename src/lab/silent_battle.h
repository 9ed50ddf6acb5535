#ifndef BRAMBLE_LAB_SILENT_BATTLE_H_
#define BRAMBLE_LAB_SILENT_BATTLE_H_

#include <cstdint>
#include <string_view>

#include "battle/bout.h"
#include "battle/fighter.h"

namespace bramble::lab {

/// A battle that has not ended after this many ticks is stopped and counted
/// apart as unfinished, so the lab never hangs.
constexpr uint32_t kTickCap = 100000;

enum class Winner : uint8_t { kFirst, kSecond, kUnfinished };

/// How one battle went. `ticks` counts the steps from the first attack to
/// the defeat line, both included (the game's Arena waits one tick more
/// before it returns); kTickCap for an unfinished battle.
struct BattleResult {
  Winner winner = Winner::kUnfinished;
  uint32_t ticks = 0;
};

/// The game's own turn state machine, run without text for one pair of
/// fighters. The fighters are built once; each battle only restores their
/// attributes, so a battle costs no allocation.
class SilentBattle {
 public:
  SilentBattle(std::string_view name1, std::string_view name2);
  SilentBattle(const SilentBattle&) = delete;
  SilentBattle& operator=(const SilentBattle&) = delete;

  /// Plays the battle that starts from generator state `state` (the state
  /// right before the first-attacker draw), as the game's Arena would. The
  /// battle draws from a generator of its own, not the thread's.
  BattleResult Run(uint32_t state);
  /// The generator state after the last battle's final draw.
  uint32_t state_after() const { return state_after_; }

  const Fighter& first() const { return bout_.first; }
  const Fighter& second() const { return bout_.second; }

 private:
  Bout<Narration::kSilent> bout_;
  decltype(Fighter::slots) first_slots_{};
  decltype(Fighter::slots) second_slots_{};
  uint32_t state_after_ = 0;
};

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_SILENT_BATTLE_H_
