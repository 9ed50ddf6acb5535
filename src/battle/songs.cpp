#include "battle/songs.h"

#include "battle/fighter.h"
#include "battle/random.h"

namespace bramble {

const std::string_view SongTitles[kSongTitleCount] = {
    "只爱陌生人",     "小夜曲",         "红豆",           "但愿人长久",
    "我们的爱",       "Big Big World",  "Not Going Anywhere", "不想长大",
    "擠公交",         "许愿池的希腊少女", "我知道你很难过", "有你真好",
    "那么骄傲",       "可惜不是你",     "至少还有你",     "胆小鬼",
    "听说",           "直来直往",       "我也不想这样",   "哎呀",
    "十送红军",
};

const std::string_view ReactionLines[kReactionLineCount] = {
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

namespace {

// A refresh: 20..99 hp, then 20..59 mp.
void Refresh(Fighter& fighter) {
  fighter.hp() += RandomInt(0, 80) + 20;
  fighter.mp() += RandomInt(0, 40) + 20;
}

// Draws a row of a table: the row in its colour, then white.
template <Narration N>
std::string PickRow(const std::string_view* table, int32_t rows, std::string_view colour) {
  int32_t row = RandomInt(0, rows);
  if constexpr (Narrated(N))
    return std::string(colour) + std::string(table[row]) + "<15>";
  return {};
}

}  // namespace

template <Narration N>
std::string PickSongTitle() {
  return PickRow<N>(SongTitles, kSongTitleCount, "<13>");
}

template <Narration N>
std::string PickReaction() {
  return PickRow<N>(ReactionLines, kReactionLineCount, "<5>");
}

template <Narration N>
std::string ListenToSong(Fighter& listener, Fighter& singer) {
  if (AttributeCheck(RandomInt(0, 40), listener.cunning(), 90)) {
    if constexpr (Narrated(N))
      return "什么都没在" + ColoredName(listener) + "身上发生，" + ColoredName(singer) + "很无语......";
    return {};
  }
  if (AttributeCheck(RandomInt(0, 40), listener.cunning(), 80)) {
    Refresh(listener);
    std::string reaction = PickReaction<N>();
    if constexpr (Narrated(N))
      return ColoredName(listener) + "说：" + reaction + "\n" + ColoredName(singer) + "唱完，" +
             ColoredName(listener) + "的HP、MP恢复了一点";
    return {};
  }
  if (AttributeCheck(RandomInt(0, 40), listener.cunning(), 70)) {
    Refresh(singer);
    std::string reaction = PickReaction<N>();
    if constexpr (Narrated(N))
      return ColoredName(listener) + "说：" + reaction + "\n" + ColoredName(singer) +
             "唱完，自己的HP、MP恢复了一点";
    return {};
  }
  int32_t x = RandomInt(0, 40) + 20;
  listener.hp() -= x;
  if constexpr (Narrated(N))
    return ColoredName(listener) + "受不了" + ColoredName(singer) + "的魔音传导，HP降低" +
           NumberText(x) + "点";
  return {};
}

template std::string PickSongTitle<Narration::kNarrated>();
template std::string PickSongTitle<Narration::kSilent>();
template std::string PickReaction<Narration::kNarrated>();
template std::string PickReaction<Narration::kSilent>();
template std::string ListenToSong<Narration::kNarrated>(Fighter&, Fighter&);
template std::string ListenToSong<Narration::kSilent>(Fighter&, Fighter&);

}  // namespace bramble
