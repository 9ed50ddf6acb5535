#include "lab/silent_battle.h"

namespace bramble::lab {

namespace {

// Only the attributes change in a battle: restoring them is the same as the
// rebuild the Arena makes before every battle.
void Restore(Fighter& fighter, const Fighter& built) {
  fighter.hp = built.hp;
  fighter.mp = built.mp;
  fighter.atk = built.atk;
  fighter.def = built.def;
  fighter.agility = built.agility;
  fighter.cunning = built.cunning;
}

}  // namespace

SilentBattle::SilentBattle(std::string_view name1, std::string_view name2) {
  built_first_.Build(name1);
  built_second_.Build(name2);
  bout_.first = built_first_;
  bout_.second = built_second_;
}

BattleResult SilentBattle::Run(uint32_t state, uint32_t tick_cap) {
  Restore(bout_.first, built_first_);
  Restore(bout_.second, built_second_);
  Dice dice{state};
  bout_.PickFirstAttacker(dice);
  bout_.Begin();
  BattleResult result;
  result.ticks = tick_cap;
  for (uint32_t tick = 1; tick <= tick_cap; ++tick) {
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
