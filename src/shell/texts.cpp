// The game's own words outside a battle, in Chinese (the battle's are in
// battle/lines.cpp), and the choice among the languages.
#include "shell/texts.h"

#include <string>

#include "codec/verse.h"
#include "version.h"

namespace bramble {

// The title line is 49 columns wide, like the frame, with a version of five
// characters (0.0.1); a longer one needs a dash fewer per extra character.
static_assert(std::string_view(BRAMBLE_VERSION).size() == 5,
              "adjust the banner's title lines to the version's length");

const GameTexts kChineseTexts = {
    .code = "zh",
    .title_line = "<14>*--------Brambleworthen 控制台版 <13>V" BRAMBLE_VERSION "<14>---------*",
    .maker_line = "<14>*---------- Brambleworthen 开发组出品 ----------*",
    .name_prompt = "<12>*-- 请输入对战双方的姓名，用空格分开：--*",
    .same_name = "<12>*-- 自己跟自己打架？-_-! 汗哦 --*\n\n",
    .play_again =
        "<12>\n\n*-- "
        "继续玩吗？输入<14>R<12>再比一局，输入<14>Y<12>使用新的名字，输入其他结束游戏：--*",
    .hidden_verse = kHiddenVerse,
    .version_line = "Brambleworthen 控制台版 V" BRAMBLE_VERSION,
    .copyright = "版权所有 (C) 2026 Brambleworthen\n",
    .interval_help = {"              指定对战间隔，默认为",
                      "              输入值按毫秒解释，不加单位"},
    .save_help = {"              指定路径保存对战信息，该参数将",
                  "              把对战屏幕保存为指定的文本文件"},
    .language_help = {},
    .battle = ChineseLine,
    .notice = TranscriptNotice,
};

const GameTexts* TextsFor(std::string_view code) {
  std::string folded(code);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  for (const GameTexts* texts : {&kChineseTexts, &kEnglishTexts}) {
    if (folded == texts->code)
      return texts;
  }
  return nullptr;
}

}  // namespace bramble
