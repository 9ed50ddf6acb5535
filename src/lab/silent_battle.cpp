#include "lab/silent_battle.h"

#include "battle/bout.h"
#include "battle/random.h"

namespace bramble::lab {

SilentBattle::SilentBattle(std::string_view name1, std::string_view name2) {
  bout_.first.Build(name1);
  bout_.second.Build(name2);
  first_slots_ = bout_.first.slots;
  second_slots_ = bout_.second.slots;
}

BattleResult SilentBattle::Run(uint32_t state) {
  // A build sets nothing but the slots from the name, so restoring them is
  // the same as the rebuild the Arena makes before every battle.
  bout_.first.slots = first_slots_;
  bout_.second.slots = second_slots_;
  LocalDice dice{state};
  bout_.PickFirstAttacker(dice);
  bout_.Begin();
  BattleResult result;
  result.ticks = kTickCap;
  for (uint32_t tick = 1; tick <= kTickCap; ++tick) {
    bout_.Step(dice);
    if (bout_.ended) {
      result.ticks = tick;
      result.winner = bout_.loser == &bout_.first ? Winner::kSecond : Winner::kFirst;
      break;
    }
  }
  state_after_ = dice.state;
  return result;
}

}  // namespace bramble::lab
