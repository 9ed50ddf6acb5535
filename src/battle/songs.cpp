#include "battle/songs.h"

namespace bramble {

const std::string_view kSongTitles[kSongTitleCount] = {
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

const std::string_view kReactionLines[kReactionLineCount] = {
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

}  // namespace bramble
