// A fighter's attack: one of four families drawn, turned into an action by
// the attacker's attributes, its immediate effects applied.
#include <cmath>

#include "battle/fighter.h"
#include "battle/random.h"
#include "battle/songs.h"

namespace bramble {

namespace {

// Halving by poison rounds toward positive infinity: 7 -> 4, -7 -> -3.
int32_t HalveUp(int32_t x) { return x / 2 + (x % 2 > 0 ? 1 : 0); }

// The beating's attack term: r * atk * 0.01f rounded to single precision,
// then floored, so a multiple of 100 comes out whole (5000 gives 50).
int32_t PummelAttackTerm(int32_t roll, int32_t atk) {
  double exact = static_cast<double>(static_cast<int64_t>(roll) * atk) * 0.01f;
  return TruncateToInt32(std::floor(static_cast<float>(exact)));
}

template <Narration N>
void NormalAttackOf(Fighter& attacker, ActionResult* result) {
  int32_t r = RandomInt(60, 120);
  result->value = PercentOf(r, attacker.atk());
  result->kind = ActionKind::NormalAttack;
  if constexpr (Narrated(N))
    result->message += ColoredName(attacker) + "进攻，";
}

template <Narration N>
void MagicAttackOf(Fighter& attacker, ActionResult* result) {
  int32_t r = RandomInt(40, 80);
  result->value = attacker.atk() + PercentOf(r, attacker.atk() / 2);
  attacker.mp() -= RandomInt(10, 35);
  result->kind = ActionKind::MagicAttack;
  if constexpr (Narrated(N))
    result->message = ColoredName(attacker) + "使用<9>魔法攻击<15>，";
}

template <Narration N>
void PummelOf(Fighter& attacker, Fighter& defender, ActionResult* result) {
  if constexpr (Narrated(N))
    result->message =
        ColoredName(attacker) + "发狂了，把" + ColoredName(defender) + "摁在地上一顿暴打";
  int32_t r1 = RandomInt(50, 100);
  int32_t r2 = RandomInt(30, 80);
  int32_t attack_term = PummelAttackTerm(r1, attacker.atk());
  int32_t defence_term =
      static_cast<int32_t>(static_cast<int64_t>(r2) * defender.def() / 100);
  result->value = std::abs(attack_term - defence_term);
  result->kind = ActionKind::Pummel;
}

template <Narration N>
void PoisonOf(Fighter& attacker, Fighter& defender, ActionResult* result) {
  if constexpr (Narrated(N))
    result->message =
        ColoredName(attacker) + "居然<6>投毒<15>，" + ColoredName(defender) + "所有属性减半";
  // hp, mp, atk, def, agility, cunning: slots 16 to 21 in this order.
  for (int slot = 16; slot <= 21; ++slot)
    defender.slots[slot] = HalveUp(defender.slots[slot]);
  result->kind = ActionKind::Poison;
}

template <Narration N>
void LastStandOf(Fighter& attacker, ActionResult* result) {
  if constexpr (Narrated(N))
    result->message = ColoredName(attacker) + "做<11>垂死抗争<15>，所有指数上升\n";
  for (int slot = 16; slot <= 21; ++slot)
    attacker.slots[slot] += RandomInt(20, 60);
  NormalAttackOf<N>(attacker, result);  // with the raised atk
}

template <Narration N>
void SongOf(Fighter& attacker, ActionResult* result) {
  result->kind = ActionKind::Song;
  result->value = 0;
  std::string title = PickSongTitle<N>();
  if constexpr (Narrated(N))
    result->message = ColoredName(attacker) + "开始唱" + title + "，";
}

}  // namespace

template <Narration N>
ActionResult Fighter::Attack(Fighter& defender) {
  ActionResult result;
  switch (RandomInt(0, 4)) {
    case 0:
      if (mp() >= 11)
        MagicAttackOf<N>(*this, &result);
      else
        NormalAttackOf<N>(*this, &result);
      break;
    case 1:
      NormalAttackOf<N>(*this, &result);
      break;
    case 2:
      if (hp() <= 39)
        LastStandOf<N>(*this, &result);
      else if (AttributeCheck(RandomInt(0, 30), atk(), 60))
        PummelOf<N>(*this, defender, &result);
      else if (AttributeCheck(RandomInt(0, 30), cunning(), 60))
        PoisonOf<N>(*this, defender, &result);
      else
        NormalAttackOf<N>(*this, &result);
      break;
    default:
      if (AttributeCheck(RandomInt(0, 30), cunning(), 60))
        SongOf<N>(*this, &result);
      else
        NormalAttackOf<N>(*this, &result);
      break;
  }
  return result;
}

template ActionResult Fighter::Attack<Narration::kNarrated>(Fighter&);
template ActionResult Fighter::Attack<Narration::kSilent>(Fighter&);

}  // namespace bramble
