// A defender's answer to a normal attack, a magic attack or a song.
#include "battle/fighter.h"
#include "battle/random.h"
#include "battle/songs.h"

namespace bramble {

namespace {

// The defender's own defence roll minus the attack's value: the damage grows
// with the defender's def, and an attack that reaches the roll is dodged.
template <Narration N>
std::string PlainDefence(Fighter& defender, int32_t value) {
  int32_t r = RandomInt(80, 130);
  int32_t damage = PercentOf(r, defender.def()) - value;
  if (damage >= 1) {
    defender.hp() -= damage;
    if constexpr (Narrated(N))
      return ColoredName(defender) + "受到" + NumberText(damage) + "点伤害";
  } else {
    if constexpr (Narrated(N))
      return "<15>被" + ColoredName(defender) + "躲开了";
  }
  return {};
}

template <Narration N>
std::string MagicDefence(Fighter& defender, Fighter& attacker, int32_t value, ActionKind kind) {
  std::string message;
  if (kind == ActionKind::MagicAttack) {
    int32_t r = RandomInt(60, 100);
    int32_t damage = defender.def() + PercentOf(r, defender.def() / 2) - value;
    if (damage >= 1) {
      defender.hp() -= damage;
      if constexpr (Narrated(N))
        message = ColoredName(defender) + "使用<9>魔法防御<15>，受到" + NumberText(damage) + "点伤害";
    } else {
      if constexpr (Narrated(N))
        message = ColoredName(defender) + "使用<9>魔法防御<15>，" + ColoredName(attacker) + "攻击失败";
    }
  } else {
    if constexpr (Narrated(N))
      message = ColoredName(defender) + "使用<9>魔法防御<15>，" + ColoredName(attacker) + "的普通攻击无效";
  }
  defender.mp() -= RandomInt(20, 45);  // the cost comes after the damage roll
  return message;
}

template <Narration N>
std::string Deflection(Fighter& defender, Fighter& attacker, int32_t value) {
  int32_t x = PercentOf(RandomInt(20, 40), value);
  attacker.hp() -= x;
  if constexpr (Narrated(N))
    return ColoredName(defender) + "<10>移花接木<15>，" + ColoredName(attacker) + "受到反作用伤害" +
           NumberText(x) + "点";
  return {};
}

template <Narration N>
std::string EmergencyEvasion(Fighter& defender) {
  if constexpr (Narrated(N))
    return ColoredName(defender) + "<14>紧急回避<15>，未受到任何伤害";
  return {};
}

}  // namespace

template <Narration N>
std::string Fighter::Respond(Fighter& attacker, int32_t value, ActionKind kind) {
  int32_t family = RandomInt(0, 3);  // drawn even for a song
  if (kind == ActionKind::Song)
    return ListenToSong<N>(*this, attacker);
  switch (family) {
    case 0:
      if (mp() >= 21)
        return MagicDefence<N>(*this, attacker, value, kind);
      return PlainDefence<N>(*this, value);
    case 1:
      return PlainDefence<N>(*this, value);
    default:
      if (AttributeCheck(RandomInt(0, 30), cunning(), 70))
        return Deflection<N>(*this, attacker, value);
      if (AttributeCheck(RandomInt(0, 30), agility(), 60))
        return EmergencyEvasion<N>(*this);
      return PlainDefence<N>(*this, value);
  }
}

template std::string Fighter::Respond<Narration::kNarrated>(Fighter&, int32_t, ActionKind);
template std::string Fighter::Respond<Narration::kSilent>(Fighter&, int32_t, ActionKind);

}  // namespace bramble
