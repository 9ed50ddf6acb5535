#ifndef BRAMBLE_BATTLE_RESPOND_H_
#define BRAMBLE_BATTLE_RESPOND_H_

#include <cstdint>

#include "battle/fighter.h"
#include "battle/narrator.h"
#include "battle/random.h"
#include "battle/rules.h"

namespace bramble {

/// `defender` answers `attacker`'s action of `value` and `kind` (a normal
/// or magic attack, or a song): the outcome settled and applied to both,
/// and what is to be told of it.
Event Respond(Fighter& defender, Fighter& attacker, int32_t value, ActionKind kind, Dice& dice);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RESPOND_H_
