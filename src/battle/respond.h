#ifndef BRAMBLE_BATTLE_RESPOND_H_
#define BRAMBLE_BATTLE_RESPOND_H_

// A defender's answer to a normal attack, a magic attack or a song. The
// rules live in this header so that the lab's silent battles inline them.

#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/songs.h"

namespace bramble {

namespace respond_rules {

template <Narration N, class F, class Dice, class L = typename F::Lanes>
Line<N> Deflection(F& defender, F& attacker, typename L::Int value, Dice& dice,
                   typename L::Mask m) {
  typename L::Int x = L::Percent(DrawIn<L>(dice, m, 20, 40), value);
  attacker.hp() -= L::Only(m, x);
  if constexpr (Narrated(N))
    return lines::Deflection(defender, attacker, x);
  return {};
}

/// `defender`'s answer in the lanes of `active` to an action of `value`
/// and `kind` (a normal or magic attack, or a song).
template <Narration N, class F, class Dice, class L = typename F::Lanes>
Line<N> Answer(F& defender, F& attacker, typename L::Int value, typename L::Kind kind, Dice& dice,
               typename L::Mask active) {
  using Int = typename L::Int;
  using Mask = typename L::Mask;
  // The family, then the draws of the common paths, read ahead: a plain
  // defence, a magic defence or an evasion is settled without a jump; a
  // song and a deflection branch off and draw on from where they stand.
  BasicDrawsAhead<L> next(dice.State());
  Int family = next.Draw(0, 0, 3);  // drawn even for a song
  Mask song = L::Is(kind, ActionKind::Song) & active;
  Mask family2 = family == 2;
  // Family 2 checks cunning for a deflection, then agility for an evasion.
  Mask deflection_check = L::Check(next.Draw(1, 0, 30), defender.cunning(), 70);
  Mask evasion_check = L::Check(next.Draw(2, 0, 30), defender.agility(), 60);
  Mask deflects = L::Not(song) & active & family2 & deflection_check;
  Mask plain = L::Not(song | deflects) & active;
  Mask evades = plain & family2 & evasion_check;
  // Family 0 with 21 mp or more: the magic defence. Against a magic attack
  // it rolls its damage first; whatever it met, it costs mp after that.
  Mask magic_defence = plain & (family == 0) & (defender.mp() >= 21);
  Mask against_magic = L::Is(kind, ActionKind::MagicAttack);
  Int magic_damage = defender.def() + L::Percent(next.Draw(1, 60, 100), defender.def() / 2) - value;
  Int cost_draw = 1 + L::One(against_magic);
  // Otherwise the plain defence: the defender's own roll minus the attack's
  // value, so the damage grows with its def and an attack that reaches the
  // roll is dodged. Family 2 rolls after its two failed checks.
  Int plain_draw = 1 + 2 * L::One(family2);
  Int plain_damage = L::Percent(next.DrawAt(plain_draw, 80, 130), defender.def()) - value;

  Int damage = L::Choose(magic_defence, L::Only(against_magic, magic_damage),
                         L::Only(L::Not(evades), plain_damage));
  Mask hit = plain & (damage >= 1);
  defender.hp() -= L::Only(hit, damage);
  defender.mp() -= L::Only(magic_defence, next.DrawAt(cost_draw, 20, 45));
  // Draws taken: the magic defence's cost is its last, an evasion's check
  // is its third, the plain roll the plain defence's last; a song and a
  // deflection go on from the draws they made.
  Int plain_draws = L::Choose(magic_defence, cost_draw + 1, plain_draw + 1 - L::One(evades));
  Int draws = L::Choose(plain, plain_draws, 1 + L::One(deflects));  // a song 1, a deflection 2
  dice.SetState(L::Choose(active, next.StateAfterAt(draws), dice.State()));
  Line<N> line;
  if (L::Any(song))
    line = song_rules::Listen<N>(defender, attacker, dice, song);
  if (L::Any(deflects))
    line = Deflection<N>(defender, attacker, value, dice, deflects);
  if constexpr (Narrated(N)) {
    if (!plain)
      return line;
    if (magic_defence)
      return lines::MagicDefence(defender, attacker, against_magic, hit, damage);
    if (evades)
      return lines::Evasion(defender);
    return hit ? lines::Damage(defender, damage) : lines::Dodge(defender);
  }
  return line;
}

}  // namespace respond_rules

template <Narration N, class Dice>
inline Line<N> Fighter::Respond(Fighter& attacker, int32_t value, ActionKind kind, Dice& dice) {
  return respond_rules::Answer<N>(*this, attacker, value, kind, dice, OneLane::kAll);
}

extern template std::string Fighter::Respond<Narration::kNarrated>(Fighter&, int32_t, ActionKind,
                                                                   ThreadDice&);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RESPOND_H_
