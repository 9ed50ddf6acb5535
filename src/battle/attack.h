#ifndef BRAMBLE_BATTLE_ATTACK_H_
#define BRAMBLE_BATTLE_ATTACK_H_

#include <cstdint>

#include "battle/fighter.h"
#include "battle/narrator.h"
#include "battle/random.h"
#include "battle/rules.h"

namespace bramble {

/// An attack as the Arena keeps it: its strength, its kind, and what is to
/// be told of it.
struct ActionResult {
  int32_t value = 0;  // strength in HP points; 0 for a song, unused for poison
  ActionKind kind = ActionKind::NormalAttack;
  Event message;
};

/// `attacker` acts against `defender`: one of four families drawn, turned
/// into an action by the attacker's attributes, its immediate effects
/// applied to both.
ActionResult Attack(Fighter& attacker, Fighter& defender, Dice& dice);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ATTACK_H_
