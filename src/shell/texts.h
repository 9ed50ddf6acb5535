#ifndef BRAMBLE_SHELL_TEXTS_H_
#define BRAMBLE_SHELL_TEXTS_H_

#include <string_view>

#include "battle/lines.h"
#include "console/print_marked.h"

namespace bramble {

/// Every word the game shows, in one language: the shell's texts, the
/// battle's lines and the transcript's notice. A language is a set of
/// texts chosen by the player; the rules never see one.
struct GameTexts {
  std::string_view code;  // what /L: takes: "zh", "en"
  std::string_view title_line;
  std::string_view maker_line;
  std::string_view name_prompt;
  std::string_view same_name;
  std::string_view play_again;
  std::string_view hidden_verse;  // Base64
  std::string_view version_line;
  // The usage text's lines that are not the switches' own syntax; the
  // interval line's default and "ms" follow interval_help[0].
  std::string_view copyright;
  std::string_view interval_help[2];
  std::string_view save_help[2];
  // The /L: switch's line; empty where the usage keeps the game's first
  // nine lines (Chinese, the default, whose usage never moves).
  std::string_view language_help;
  BattleTexts battle;
  NoticeText notice;
};

/// The game's own texts, the default whatever the locale.
extern const GameTexts kChineseTexts;
extern const GameTexts kEnglishTexts;

/// The texts whose code is `code` (A to Z read as a to z); null for any
/// other value.
const GameTexts* TextsFor(std::string_view code);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_TEXTS_H_
