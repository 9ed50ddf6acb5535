#include "lab/silent_battle.h"

namespace bramble::lab {

namespace {

// Only the attributes change in a battle: restoring them is the same as the
// rebuild the Arena makes before every battle.
void Restore(Fighter& fighter, const Fighter& built) {
  for (const Attribute& attribute : kAttributes)
    fighter.*attribute.slot = built.*attribute.slot;
}

}  // namespace

SilentBattle::SilentBattle(const MatchUp& match)
    : built_first_(match.one), built_second_(match.two) {
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
