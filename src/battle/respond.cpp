// A defender's answer to a normal attack, a magic attack or a song.
#include "battle/respond.h"

#include "battle/songs.h"

namespace bramble {

namespace {

using namespace rules;

// The defender's own defence roll minus the attack's value: the damage grows
// with the defender's def, and an attack that reaches the roll is dodged.
Event PlainDefence(Fighter& defender, Fighter& attacker, int32_t value, Dice& dice) {
  int32_t damage = PercentOf(dice.RandomInt(kPlainDefenceRoll), defender.def) - value;
  if (damage >= 1) {
    defender.hp -= damage;
    return {Happening::kHit, &defender, &attacker, damage};
  }
  return {Happening::kDodge, &defender, &attacker};
}

Event MagicDefence(Fighter& defender, Fighter& attacker, int32_t value, ActionKind kind,
                   Dice& dice) {
  Event told{Happening::kMagicDefenceIgnoresNormal, &defender, &attacker};
  if (kind == ActionKind::MagicAttack) {
    int32_t r = dice.RandomInt(kMagicDefenceRoll);
    int32_t damage = defender.def + PercentOf(r, defender.def / 2) - value;
    if (damage >= 1) {
      defender.hp -= damage;
      told = {Happening::kMagicDefenceHit, &defender, &attacker, damage};
    } else {
      told.what = Happening::kMagicDefenceFoils;
    }
  }
  defender.mp -= dice.RandomInt(kMagicDefenceCost);  // after the damage roll
  return told;
}

Event Deflection(Fighter& defender, Fighter& attacker, int32_t value, Dice& dice) {
  int32_t x = PercentOf(dice.RandomInt(kDeflectionRoll), value);
  attacker.hp -= x;
  return {Happening::kDeflection, &defender, &attacker, x};
}

}  // namespace

Event Respond(Fighter& defender, Fighter& attacker, int32_t value, ActionKind kind, Dice& dice) {
  int32_t family = dice.RandomInt(kResponseFamily);  // drawn even for a song
  if (kind == ActionKind::Song)
    return ListenToSong(defender, attacker, dice);
  switch (family) {
    case 0:
      if (defender.mp >= kMagicDefenceMp)
        return MagicDefence(defender, attacker, value, kind, dice);
      return PlainDefence(defender, attacker, value, dice);
    case 1:
      return PlainDefence(defender, attacker, value, dice);
    default:
      if (AttributeCheck(dice.RandomInt(kCheckRoll), defender.cunning, kDeflectionThreshold))
        return Deflection(defender, attacker, value, dice);
      if (AttributeCheck(dice.RandomInt(kCheckRoll), defender.agility, kEvasionThreshold))
        return {Happening::kEvasion, &defender, &attacker};
      return PlainDefence(defender, attacker, value, dice);
  }
}

}  // namespace bramble
