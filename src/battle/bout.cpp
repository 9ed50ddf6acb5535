#include "battle/bout.h"

#include <algorithm>

#include "battle/attack.h"
#include "battle/respond.h"

namespace bramble {

using namespace rules;

void Bout::SwapRoles() {
  Fighter* was_attacker = attacker;
  attacker = defender;
  defender = was_attacker;
}

void Bout::PickFirstAttacker(Dice& dice) {
  bool second_first = dice.RandomInt(kFirstAttacker) > 0;
  attacker = second_first ? &second : &first;
  defender = second_first ? &first : &second;
}

void Bout::Begin() {
  Tell({Happening::kStart});
  turn_state = TurnState::AttackTurn;
  ended = false;
  loser = nullptr;
}

void Bout::Step(Dice& dice) {
  if (ended)
    return;
  switch (turn_state) {
    case TurnState::AttackTurn:
      AttackStep(dice);
      break;
    case TurnState::ResponseTurn:
      ResponseStep(dice);
      break;
    case TurnState::PummelTurn:
      PummelStep(dice);
      break;
  }
}

void Bout::Show(const Event& event) {
  first.hp = std::clamp(first.hp, kLowestHp, kHighestHp);
  second.hp = std::clamp(second.hp, kLowestHp, kHighestHp);
  Tell(event);
}

void Bout::Defeat(Fighter& fallen) {
  ended = true;
  loser = &fallen;
  Tell({Happening::kDefeat, &fallen});
}

void Bout::AttackStep(Dice& dice) {
  if (attacker->hp <= 0) {
    Defeat(*attacker);
    return;
  }
  if (defender->hp <= 0) {
    Defeat(*defender);
    return;
  }
  ActionResult result = Attack(*attacker, *defender, dice);
  last_value = result.value;
  last_kind = result.kind;
  Show(result.message);
  switch (last_kind) {
    case ActionKind::Pummel:
      pummel_hits = dice.RandomInt(kPummelBlows);
      pummel_count = 0;
      turn_state = TurnState::PummelTurn;
      break;
    case ActionKind::Poison:
      // The poisoned fighter makes no response; it attacks on the next tick.
      SwapRoles();
      turn_state = TurnState::AttackTurn;
      break;
    default:
      turn_state = TurnState::ResponseTurn;
      break;
  }
}

void Bout::ResponseStep(Dice& dice) {
  Show(Respond(*defender, *attacker, last_value, last_kind, dice));
  // The attacker is tested first: when both fall, the attacker has lost.
  if (attacker->hp <= 0) {
    Defeat(*attacker);
  } else if (defender->hp <= 0) {
    Defeat(*defender);
  } else {
    SwapRoles();
    turn_state = TurnState::AttackTurn;
  }
}

void Bout::PummelStep(Dice& dice) {
  if (++pummel_count > pummel_hits) {
    // A silent tick after the last blow passes the turn.
    SwapRoles();
    turn_state = TurnState::AttackTurn;
    return;
  }
  int32_t blow = PercentOf(dice.RandomInt(kBlowRoll), last_value);
  defender->hp -= blow;
  Show({Happening::kBlow, defender, attacker, blow});
  if (defender->hp <= 0)
    Defeat(*defender);
}

}  // namespace bramble
