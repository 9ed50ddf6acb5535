// A fighter's attack, as the rules play it: the family drawn first, then
// each row's check with its own draw, only when the row is reached.
#include "battle/attack.h"

#include <cstdlib>

#include "battle/songs.h"

namespace bramble {

namespace {

using namespace rules;

ActionResult NormalAttack(Fighter& attacker, Fighter& defender, Dice& dice) {
  int32_t r = dice.RandomInt(kNormalAttackRoll);
  return {PercentOf(r, attacker.atk),
          ActionKind::NormalAttack,
          {Happening::kNormalAttack, &attacker, &defender}};
}

ActionResult MagicAttack(Fighter& attacker, Fighter& defender, Dice& dice) {
  int32_t r = dice.RandomInt(kMagicAttackRoll);
  int32_t value = attacker.atk + PercentOf(r, attacker.atk / 2);
  attacker.mp -= dice.RandomInt(kMagicAttackCost);
  return {value, ActionKind::MagicAttack, {Happening::kMagicAttack, &attacker, &defender}};
}

ActionResult Pummel(Fighter& attacker, Fighter& defender, Dice& dice) {
  int32_t r1 = dice.RandomInt(kPummelAttackRoll);
  int32_t r2 = dice.RandomInt(kPummelDefenceRoll);
  int32_t attack_term = PummelAttackTerm(r1, attacker.atk);
  int32_t defence_term = static_cast<int32_t>(static_cast<int64_t>(r2) * defender.def / 100);
  return {std::abs(attack_term - defence_term),
          ActionKind::Pummel,
          {Happening::kPummel, &attacker, &defender}};
}

ActionResult Poison(Fighter& attacker, Fighter& defender) {
  defender.hp = HalveUp(defender.hp);
  defender.mp = HalveUp(defender.mp);
  defender.atk = HalveUp(defender.atk);
  defender.def = HalveUp(defender.def);
  defender.agility = HalveUp(defender.agility);
  defender.cunning = HalveUp(defender.cunning);
  return {0, ActionKind::Poison, {Happening::kPoison, &attacker, &defender}};
}

ActionResult LastStand(Fighter& attacker, Fighter& defender, Dice& dice) {
  attacker.hp += dice.RandomInt(kLastStandGain);
  attacker.mp += dice.RandomInt(kLastStandGain);
  attacker.atk += dice.RandomInt(kLastStandGain);
  attacker.def += dice.RandomInt(kLastStandGain);
  attacker.agility += dice.RandomInt(kLastStandGain);
  attacker.cunning += dice.RandomInt(kLastStandGain);
  ActionResult result = NormalAttack(attacker, defender, dice);  // with the raised atk
  result.message.what = Happening::kLastStand;
  return result;
}

ActionResult Song(Fighter& attacker, Fighter& defender, Dice& dice) {
  int32_t title = PickSongTitle(dice);
  return {0, ActionKind::Song, {Happening::kSong, &attacker, &defender, title}};
}

}  // namespace

ActionResult Attack(Fighter& attacker, Fighter& defender, Dice& dice) {
  switch (dice.RandomInt(kAttackFamily)) {
    case 0:
      if (attacker.mp >= kMagicAttackMp)
        return MagicAttack(attacker, defender, dice);
      return NormalAttack(attacker, defender, dice);
    case 1:
      return NormalAttack(attacker, defender, dice);
    case 2:
      if (attacker.hp <= kLastStandHp)
        return LastStand(attacker, defender, dice);
      if (AttributeCheck(dice.RandomInt(kCheckRoll), attacker.atk, kPummelThreshold))
        return Pummel(attacker, defender, dice);
      if (AttributeCheck(dice.RandomInt(kCheckRoll), attacker.cunning, kPoisonThreshold))
        return Poison(attacker, defender);
      return NormalAttack(attacker, defender, dice);
    default:
      if (AttributeCheck(dice.RandomInt(kCheckRoll), attacker.cunning, kSongThreshold))
        return Song(attacker, defender, dice);
      return NormalAttack(attacker, defender, dice);
  }
}

}  // namespace bramble
