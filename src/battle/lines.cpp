// Every line a battle shows, in one place: the game's Chinese texts.
#include "battle/lines.h"

namespace bramble {

const std::string_view kSongTitles[rules::kSongTitleCount] = {
    "只爱陌生人",
    "小夜曲",
    "红豆",
    "但愿人长久",
    "我们的爱",
    "Big Big World",
    "Not Going Anywhere",
    "不想长大",
    "擠公交",
    "许愿池的希腊少女",
    "我知道你很难过",
    "有你真好",
    "那么骄傲",
    "可惜不是你",
    "至少还有你",
    "胆小鬼",
    "听说",
    "直来直往",
    "我也不想这样",
    "哎呀",
    "十送红军",
};

const std::string_view kReactionLines[rules::kReactionLineCount] = {
    "真受不了你...",
    "吵什么吵，找死啊~",
    "再唱，再唱，你再唱~~",
    "看招！（一个板凳扔了过去）",
    "若一只妖怪有了人性，那它就不再叫做妖，叫人妖",
    "啊，啊，啊，受不了啦！S、T、O、P！",
    "不错不错，再来一首",
    "深藏的暗涌已经越来越明显（欲吐无泪）",
    "暂停一回合，给我个签名照？",
};

std::string ColoredName(const Fighter& fighter) { return "<3>" + fighter.name + "<15>"; }

std::string NumberText(int32_t n) { return "<12>" + DecimalText(n) + "<15>"; }

std::string DecimalText(int32_t n) {
  uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return n < 0 ? "-" + digits : digits;
}

namespace {

// A fighter's part of a status line.
std::string HpText(const Fighter& fighter) {
  return ColoredName(fighter) + " <14>HP:<12>" + NumberText(fighter.hp);
}

}  // namespace

std::string AttributeLine(const Fighter& fighter) {
  return ColoredName(fighter) + " <14>HP:" + NumberText(fighter.hp) +
         " <14>MP:" + NumberText(fighter.mp) + " <14>ATK:" + NumberText(fighter.atk) +
         " <14>DEF:" + NumberText(fighter.def) + "\n";
}

std::string LineOf(std::string (*told)(const Event&), const Event& event, const Fighter& first,
                   const Fighter& second) {
  switch (event.what) {
    case Happening::kLineBreak:
      return "\n";
    case Happening::kIntroduced:
      return AttributeLine(*event.actor);
    case Happening::kStart:
    case Happening::kDefeat:
      return told(event) + "    ";
    default:
      return told(event) + "    " + HpText(first) + " " + HpText(second);
  }
}

namespace {

// What happened, without the status line's hp.
std::string Told(const Event& e) {
  const std::string actor = e.actor != nullptr ? ColoredName(*e.actor) : std::string();
  const std::string other = e.other != nullptr ? ColoredName(*e.other) : std::string();
  const std::string number = NumberText(e.number);
  switch (e.what) {
    case Happening::kLineBreak:
    case Happening::kIntroduced:
      break;  // the same in every language: LineOf
    case Happening::kStart:
      return "<12>决斗开始！";
    case Happening::kDefeat:
      return "<12>*-- " + actor + "被击败了<12> --*\a";
    case Happening::kNormalAttack:
      return actor + "进攻，";
    case Happening::kMagicAttack:
      return actor + "使用<9>魔法攻击<15>，";
    case Happening::kPummel:
      return actor + "发狂了，把" + other + "摁在地上一顿暴打";
    case Happening::kPoison:
      return actor + "居然<6>投毒<15>，" + other + "所有属性减半";
    case Happening::kLastStand:
      return actor + "做<11>垂死抗争<15>，所有指数上升\n" + actor + "进攻，";
    case Happening::kSong:
      return actor + "开始唱<13>" + std::string(kSongTitles[e.number]) + "<15>，";
    case Happening::kHit:
    case Happening::kBlow:
      return actor + "受到" + number + "点伤害";
    case Happening::kDodge:
      return "<15>被" + actor + "躲开了";
    case Happening::kMagicDefenceIgnoresNormal:
      return actor + "使用<9>魔法防御<15>，" + other + "的普通攻击无效";
    case Happening::kMagicDefenceHit:
      return actor + "使用<9>魔法防御<15>，受到" + number + "点伤害";
    case Happening::kMagicDefenceFoils:
      return actor + "使用<9>魔法防御<15>，" + other + "攻击失败";
    case Happening::kDeflection:
      return actor + "<10>移花接木<15>，" + other + "受到反作用伤害" + number + "点";
    case Happening::kEvasion:
      return actor + "<14>紧急回避<15>，未受到任何伤害";
    case Happening::kUnmoved:
      return "什么都没在" + actor + "身上发生，" + other + "很无语......";
    case Happening::kListenerRefreshed:
      return actor + "说：<5>" + std::string(kReactionLines[e.number]) + "<15>\n" + other +
             "唱完，" + actor + "的HP、MP恢复了一点";
    case Happening::kSingerRefreshed:
      return actor + "说：<5>" + std::string(kReactionLines[e.number]) + "<15>\n" + other +
             "唱完，自己的HP、MP恢复了一点";
    case Happening::kHurtBySong:
      return actor + "受不了" + other + "的魔音传导，HP降低" + number + "点";
  }
  return {};
}

}  // namespace

std::string ChineseLine(const Event& event, const Fighter& first, const Fighter& second) {
  return LineOf(Told, event, first, second);
}

void ScreenNarrator::Tell(const Event& event, const Fighter& first, const Fighter& second) {
  switch (event.what) {
    case Happening::kLineBreak:
      screen_.WriteBare("\n");
      break;
    case Happening::kIntroduced:
      screen_.ShowOnly(texts_(event, first, second));
      break;
    default:
      screen_.PrintMarked(texts_(event, first, second), true);
      break;
  }
}

}  // namespace bramble
