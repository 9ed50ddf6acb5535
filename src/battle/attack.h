#ifndef BRAMBLE_BATTLE_ATTACK_H_
#define BRAMBLE_BATTLE_ATTACK_H_

// A fighter's attack: one of four families drawn, turned into an action by
// the attacker's attributes, its immediate effects applied. The rules live
// in this header so that the lab's silent battles inline them.

#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/songs.h"

namespace bramble {

namespace attack_rules {

// Halving by poison rounds toward positive infinity: 7 -> 4, -7 -> -3.
template <class L>
typename L::Int HalveUp(typename L::Int x) {
  return x / 2 + L::One(x % 2 > 0);
}

// The beating's attack term: r * atk * 0.01f rounded to single precision,
// then floored, so a multiple of 100 comes out whole (5000 gives 50).
inline int32_t PummelAttackTerm(int32_t roll, int32_t atk) {
  return OneLane::FloorTimesF(roll, atk);
}

// A magic attack of roll r: the whole atk and r percent of half of it.
template <class L>
typename L::Int MagicAttackValue(typename L::Int r, typename L::Int atk) {
  return atk + L::Percent(r, atk / 2);
}

template <Narration N, class F, class L, class Dice>
void NormalAttackOf(F& attacker, BasicActionResult<N, L>* result, Dice& dice, typename L::Mask m) {
  typename L::Int r = DrawIn<L>(dice, m, 60, 120);
  result->value = L::Choose(m, L::Percent(r, attacker.atk()), result->value);
  result->kind = L::Choose(m, L::KindOf(ActionKind::NormalAttack), result->kind);
  if constexpr (Narrated(N))
    result->message += lines::NormalAttack(attacker);
}

template <Narration N, class F, class L, class Dice>
void PummelOf(F& attacker, F& defender, BasicActionResult<N, L>* result, Dice& dice,
              typename L::Mask m) {
  if constexpr (Narrated(N))
    result->message = lines::Pummel(attacker, defender);
  typename L::Int r1 = DrawIn<L>(dice, m, 50, 100);
  typename L::Int r2 = DrawIn<L>(dice, m, 30, 80);
  typename L::Int attack_term = L::FloorTimesF(r1, attacker.atk());
  typename L::Int defence_term = L::Over100(r2, defender.def());
  result->value = L::Choose(m, L::Abs(attack_term - defence_term), result->value);
  result->kind = L::Choose(m, L::KindOf(ActionKind::Pummel), result->kind);
}

template <Narration N, class F, class L>
void PoisonOf(F& attacker, F& defender, BasicActionResult<N, L>* result, typename L::Mask m) {
  if constexpr (Narrated(N))
    result->message = lines::Poison(attacker, defender);
  // hp, mp, atk, def, agility, cunning, in this order.
  for (int i = 0; i < 6; ++i)
    defender.attribute(i) = L::Choose(m, HalveUp<L>(defender.attribute(i)), defender.attribute(i));
  result->kind = L::Choose(m, L::KindOf(ActionKind::Poison), result->kind);
}

template <Narration N, class F, class L, class Dice>
void LastStandOf(F& attacker, BasicActionResult<N, L>* result, Dice& dice, typename L::Mask m) {
  if constexpr (Narrated(N))
    result->message = lines::LastStand(attacker);
  for (int i = 0; i < 6; ++i)
    attacker.attribute(i) += L::Only(m, DrawIn<L>(dice, m, 20, 60));
  NormalAttackOf<N>(attacker, result, dice, m);  // with the raised atk
}

template <Narration N, class F, class L, class Dice>
void SongOf(F& attacker, BasicActionResult<N, L>* result, Dice& dice, typename L::Mask m) {
  result->kind = L::Choose(m, L::KindOf(ActionKind::Song), result->kind);
  result->value = L::Choose(m, typename L::Int{}, result->value);
  Line<N> title = song_rules::PickRow<N, L>(song_rules::Table::kSongTitles, dice, m);
  if constexpr (Narrated(N))
    result->message = lines::Song(attacker, title);
}

/// `attacker`'s action against `defender` in the lanes of `active`: an
/// action drawn, its immediate effects applied to both.
template <Narration N, class F, class Dice, class L = typename F::Lanes>
BasicActionResult<N, L> Act(F& attacker, F& defender, Dice& dice, typename L::Mask active) {
  using Int = typename L::Int;
  using Mask = typename L::Mask;
  BasicActionResult<N, L> result;
  // The family, then the draws of the common paths, read ahead: a normal
  // or magic attack is chosen without a jump; the rarer actions branch off
  // and draw on from where their path stands.
  BasicDrawsAhead<L> next(dice.State());
  Int family = next.Draw(0, 0, 4);
  Mask family2 = family == 2;
  // Family 2 at 39 hp or less: the last stand.
  Mask last_stand = active & (attacker.hp() <= 39) & family2;
  // Families 2 and 3 open with a check: atk for a pummel, cunning for a song.
  // (Every mask below is built from named values: the game's one lane
  // makes them bools, and a call on the right of & between bools reads
  // like a mistaken &&.)
  Mask opening_check =
      L::Check(next.Draw(1, 0, 30), L::Choose(family2, attacker.atk(), attacker.cunning()), 60);
  Mask not_last_stand = L::Not(last_stand);
  Mask opens = active & not_last_stand & (family >= 2) & opening_check;
  // Family 2 then checks cunning for a poison.
  Mask poison_check = L::Check(next.Draw(2, 0, 30), attacker.cunning(), 60);
  Mask neither = L::Not(last_stand | opens);
  Mask poison = active & neither & family2 & poison_check;
  // What is left is a magic attack (family 0 with 11 mp or more) or a normal
  // attack, whose roll is the first draw its family has left.
  Mask none = L::Not(last_stand | opens | poison);
  Mask common = active & none;
  Mask magic = common & (family == 0) & (attacker.mp() >= 11);
  Int roll_draw = 1 + L::One(family >= 2) + L::One(family2);  // families 0, 1: 1; 2: 3; 3: 2
  Int normal_value = L::Percent(next.DrawAt(roll_draw, 60, 120), attacker.atk());
  Int magic_value = MagicAttackValue<L>(next.Draw(1, 40, 80), attacker.atk());
  attacker.mp() -= L::Only(magic, next.Draw(2, 10, 35));
  result.value = L::Choose(magic, magic_value, normal_value);
  result.kind =
      L::Choose(magic, L::KindOf(ActionKind::MagicAttack), L::KindOf(ActionKind::NormalAttack));
  // Draws taken: a magic attack 3, a normal attack its roll's number and
  // one; the rare actions go on from the last check they made.
  Int rare_draws = 3 - 2 * L::One(last_stand) - L::One(opens);  // 1, 2 or 3 (a poison)
  Int draws = L::Choose(common, roll_draw + 1 + L::One(magic), rare_draws);
  dice.SetState(L::Choose(active, next.StateAfterAt(draws), dice.State()));
  if (L::Any(last_stand))
    LastStandOf<N>(attacker, &result, dice, last_stand);
  Mask pummel = opens & family2;
  Mask song = L::Not(family2) & opens;
  if (L::Any(pummel))
    PummelOf<N>(attacker, defender, &result, dice, pummel);
  if (L::Any(song))
    SongOf<N>(attacker, &result, dice, song);
  if (L::Any(poison))
    PoisonOf<N>(attacker, defender, &result, poison);
  if constexpr (Narrated(N)) {
    if (common)
      result.message = magic ? lines::MagicAttack(attacker) : lines::NormalAttack(attacker);
  }
  return result;
}

}  // namespace attack_rules

template <Narration N, class Dice>
inline BasicActionResult<N> Fighter::Attack(Fighter& defender, Dice& dice) {
  return attack_rules::Act<N>(*this, defender, dice, OneLane::kAll);
}

extern template ActionResult Fighter::Attack<Narration::kNarrated>(Fighter&, ThreadDice&);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_ATTACK_H_
