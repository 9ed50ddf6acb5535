#ifndef BRAMBLE_BATTLE_ATTACK_H_
#define BRAMBLE_BATTLE_ATTACK_H_

// A fighter's attack: one of four families drawn, turned into an action by
// the attacker's attributes, its immediate effects applied. The rules live
// in this header so that the lab's silent battles inline them.

#include <cmath>

#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/songs.h"

namespace bramble {

namespace attack_rules {

// Halving by poison rounds toward positive infinity: 7 -> 4, -7 -> -3.
inline int32_t HalveUp(int32_t x) { return x / 2 + (x % 2 > 0 ? 1 : 0); }

// The beating's attack term: r * atk * 0.01f rounded to single precision,
// then floored, so a multiple of 100 comes out whole (5000 gives 50).
inline int32_t PummelAttackTerm(int32_t roll, int32_t atk) {
  double exact = static_cast<double>(static_cast<int64_t>(roll) * atk) * 0.01f;
  return TruncateToInt32(std::floor(static_cast<float>(exact)));
}

template <Narration N, class Dice>
void NormalAttackOf(Fighter& attacker, BasicActionResult<N>* result, Dice& dice) {
  int32_t r = dice.RandomInt(60, 120);
  result->value = PercentOf(r, attacker.atk());
  result->kind = ActionKind::NormalAttack;
  if constexpr (Narrated(N))
    result->message += lines::NormalAttack(attacker);
}

// A magic attack of roll r: the whole atk and r percent of half of it.
inline int32_t MagicAttackValue(int32_t r, int32_t atk) { return atk + PercentOf(r, atk / 2); }

template <Narration N, class Dice>
void PummelOf(Fighter& attacker, Fighter& defender, BasicActionResult<N>* result, Dice& dice) {
  if constexpr (Narrated(N))
    result->message = lines::Pummel(attacker, defender);
  int32_t r1 = dice.RandomInt(50, 100);
  int32_t r2 = dice.RandomInt(30, 80);
  int32_t attack_term = PummelAttackTerm(r1, attacker.atk());
  int32_t defence_term = static_cast<int32_t>(static_cast<int64_t>(r2) * defender.def() / 100);
  result->value = std::abs(attack_term - defence_term);
  result->kind = ActionKind::Pummel;
}

template <Narration N>
void PoisonOf(Fighter& attacker, Fighter& defender, BasicActionResult<N>* result) {
  if constexpr (Narrated(N))
    result->message = lines::Poison(attacker, defender);
  // hp, mp, atk, def, agility, cunning: slots 16 to 21 in this order.
  for (int slot = 16; slot <= 21; ++slot)
    defender.slots[slot] = HalveUp(defender.slots[slot]);
  result->kind = ActionKind::Poison;
}

template <Narration N, class Dice>
void LastStandOf(Fighter& attacker, BasicActionResult<N>* result, Dice& dice) {
  if constexpr (Narrated(N))
    result->message = lines::LastStand(attacker);
  for (int slot = 16; slot <= 21; ++slot)
    attacker.slots[slot] += dice.RandomInt(20, 60);
  NormalAttackOf<N>(attacker, result, dice);  // with the raised atk
}

template <Narration N, class Dice>
void SongOf(Fighter& attacker, BasicActionResult<N>* result, Dice& dice) {
  result->kind = ActionKind::Song;
  result->value = 0;
  Line<N> title = PickSongTitle<N>(dice);
  if constexpr (Narrated(N))
    result->message = lines::Song(attacker, title);
}

}  // namespace attack_rules

template <Narration N, class Dice>
inline BasicActionResult<N> Fighter::Attack(Fighter& defender, Dice& dice) {
  using namespace attack_rules;
  BasicActionResult<N> result;
  // The family, then the draws of the common paths, read ahead: a normal
  // or magic attack is chosen without a jump; the rarer actions branch off
  // and draw on from where their path stands.
  DrawsAhead next(dice.State());
  int32_t family = next.Int(0, 0, 4);
  // Family 2 at 39 hp or less: the last stand.
  if (hp() <= 39 && family == 2) {
    dice.SetState(next.StateAfter(1));
    LastStandOf<N>(*this, &result, dice);
    return result;
  }
  // Families 2 and 3 open with a check: atk for a pummel, cunning for a song.
  bool checks = family >= 2;
  if (checks & AttributeCheck(next.Int(1, 0, 30), family == 2 ? atk() : cunning(), 60)) {
    dice.SetState(next.StateAfter(2));
    if (family == 2)
      PummelOf<N>(*this, defender, &result, dice);
    else
      SongOf<N>(*this, &result, dice);
    return result;
  }
  // Family 2 then checks cunning for a poison.
  if ((family == 2) & AttributeCheck(next.Int(2, 0, 30), cunning(), 60)) {
    dice.SetState(next.StateAfter(3));
    PoisonOf<N>(*this, defender, &result);
    return result;
  }
  // What is left is a magic attack (family 0 with 11 mp or more) or a normal
  // attack, whose roll is the first draw its family has left.
  bool magic = (family == 0) & (mp() >= 11);
  int roll_draw = 1 + (family >= 2) + (family == 2);  // families 0 and 1: 1, 2: 3, 3: 2
  int32_t normal_value = PercentOf(next.Int(roll_draw, 60, 120), atk());
  int32_t magic_value = MagicAttackValue(next.Int(1, 40, 80), atk());
  mp() -= Select(magic, next.Int(2, 10, 35), 0);
  result.value = Select(magic, magic_value, normal_value);
  result.kind = Select(magic, ActionKind::MagicAttack, ActionKind::NormalAttack);
  dice.SetState(next.StateAfter(roll_draw + 1 + magic));  // a magic attack: 3 draws
  if constexpr (Narrated(N))
    result.message = magic ? lines::MagicAttack(*this) : lines::NormalAttack(*this);
  return result;
}

extern template ActionResult Fighter::Attack<Narration::kNarrated>(Fighter&, ThreadDice&);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ATTACK_H_
