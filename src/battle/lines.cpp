// Every line a battle prints, in one place.
#include "battle/lines.h"

namespace bramble::lines {

std::string Start() { return "<12>决斗开始！"; }

std::string Defeat(const Fighter& fallen) {
  return "<12>*-- " + ColoredName(fallen) + "被击败了<12> --*\a";
}

std::string Damage(const Fighter& fighter, int32_t amount) {
  return ColoredName(fighter) + "受到" + NumberText(amount) + "点伤害";
}

std::string NormalAttack(const Fighter& attacker) { return ColoredName(attacker) + "进攻，"; }

std::string MagicAttack(const Fighter& attacker) {
  return ColoredName(attacker) + "使用<9>魔法攻击<15>，";
}

std::string Pummel(const Fighter& attacker, const Fighter& defender) {
  return ColoredName(attacker) + "发狂了，把" + ColoredName(defender) + "摁在地上一顿暴打";
}

std::string Poison(const Fighter& attacker, const Fighter& defender) {
  return ColoredName(attacker) + "居然<6>投毒<15>，" + ColoredName(defender) + "所有属性减半";
}

std::string LastStand(const Fighter& attacker) {
  return ColoredName(attacker) + "做<11>垂死抗争<15>，所有指数上升\n";
}

std::string Song(const Fighter& attacker, std::string_view title) {
  return ColoredName(attacker) + "开始唱" + std::string(title) + "，";
}

std::string Deflection(const Fighter& defender, const Fighter& attacker, int32_t damage) {
  return ColoredName(defender) + "<10>移花接木<15>，" + ColoredName(attacker) + "受到反作用伤害" +
         NumberText(damage) + "点";
}

std::string MagicDefence(const Fighter& defender, const Fighter& attacker, bool against_magic,
                         bool hit, int32_t damage) {
  std::string opening = ColoredName(defender) + "使用<9>魔法防御<15>，";
  if (!against_magic)
    return opening + ColoredName(attacker) + "的普通攻击无效";
  return hit ? opening + "受到" + NumberText(damage) + "点伤害"
             : opening + ColoredName(attacker) + "攻击失败";
}

std::string Evasion(const Fighter& defender) {
  return ColoredName(defender) + "<14>紧急回避<15>，未受到任何伤害";
}

std::string Dodge(const Fighter& defender) { return "<15>被" + ColoredName(defender) + "躲开了"; }

std::string Unmoved(const Fighter& listener, const Fighter& singer) {
  return "什么都没在" + ColoredName(listener) + "身上发生，" + ColoredName(singer) + "很无语......";
}

std::string ListenerRefreshed(const Fighter& listener, const Fighter& singer,
                              std::string_view reaction) {
  return ColoredName(listener) + "说：" + std::string(reaction) + "\n" + ColoredName(singer) +
         "唱完，" + ColoredName(listener) + "的HP、MP恢复了一点";
}

std::string SingerRefreshed(const Fighter& listener, const Fighter& singer,
                            std::string_view reaction) {
  return ColoredName(listener) + "说：" + std::string(reaction) + "\n" + ColoredName(singer) +
         "唱完，自己的HP、MP恢复了一点";
}

std::string HurtBySong(const Fighter& listener, const Fighter& singer, int32_t damage) {
  return ColoredName(listener) + "受不了" + ColoredName(singer) + "的魔音传导，HP降低" +
         NumberText(damage) + "点";
}

}  // namespace bramble::lines
