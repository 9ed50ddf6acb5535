#ifndef BRAMBLE_BATTLE_RESPOND_H_
#define BRAMBLE_BATTLE_RESPOND_H_

// A defender's answer to a normal attack, a magic attack or a song. The
// rules live in this header so that the lab's silent battles inline them.

#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/songs.h"

namespace bramble {

namespace respond_rules {

template <Narration N, class Dice>
Line<N> Deflection(Fighter& defender, Fighter& attacker, int32_t value, Dice& dice) {
  int32_t x = PercentOf(dice.RandomInt(20, 40), value);
  attacker.hp() -= x;
  if constexpr (Narrated(N))
    return lines::Deflection(defender, attacker, x);
  return {};
}

}  // namespace respond_rules

template <Narration N, class Dice>
inline Line<N> Fighter::Respond(Fighter& attacker, int32_t value, ActionKind kind, Dice& dice) {
  // The family, then the draws of the common paths, read ahead: a plain
  // defence, a magic defence or an evasion is settled without a jump; a
  // song and a deflection branch off and draw on from where they stand.
  DrawsAhead next(dice.State());
  int32_t family = next.Int(0, 0, 3);  // drawn even for a song
  if (kind == ActionKind::Song) {
    dice.SetState(next.StateAfter(1));
    return ListenToSong<N>(*this, attacker, dice);
  }
  // Family 2 checks cunning for a deflection, then agility for an evasion.
  if ((family == 2) & AttributeCheck(next.Int(1, 0, 30), cunning(), 70)) {
    dice.SetState(next.StateAfter(2));
    return respond_rules::Deflection<N>(*this, attacker, value, dice);
  }
  bool evades = (family == 2) & AttributeCheck(next.Int(2, 0, 30), agility(), 60);
  // Family 0 with 21 mp or more: the magic defence. Against a magic attack
  // it rolls its damage first; whatever it met, it costs mp after that.
  bool magic_defence = (family == 0) & (mp() >= 21);
  bool against_magic = kind == ActionKind::MagicAttack;
  int32_t magic_damage = def() + PercentOf(next.Int(1, 60, 100), def() / 2) - value;
  int cost_draw = 1 + against_magic;
  // Otherwise the plain defence: the defender's own roll minus the attack's
  // value, so the damage grows with its def and an attack that reaches the
  // roll is dodged. Family 2 rolls after its two failed checks.
  int plain_draw = Select(family == 2, 3, 1);
  int32_t plain_damage = PercentOf(next.Int(plain_draw, 80, 130), def()) - value;

  int32_t damage = Select(magic_defence, Select(against_magic, magic_damage, 0),
                          Select(evades, 0, plain_damage));
  bool hit = damage >= 1;
  hp() -= Select(hit, damage, 0);
  mp() -= Select(magic_defence, next.Int(cost_draw, 20, 45), 0);
  // Draws taken: the magic defence's cost is its last, an evasion's check
  // is its third, the plain roll the plain defence's last.
  dice.SetState(next.StateAfter(Select(magic_defence, cost_draw + 1, plain_draw + 1 - evades)));
  if constexpr (Narrated(N)) {
    if (magic_defence)
      return lines::MagicDefence(*this, attacker, against_magic, hit, damage);
    if (evades)
      return lines::Evasion(*this);
    return hit ? lines::Damage(*this, damage) : lines::Dodge(*this);
  }
  return {};
}

extern template std::string Fighter::Respond<Narration::kNarrated>(Fighter&, int32_t, ActionKind,
                                                                   ThreadDice&);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_RESPOND_H_
