// The game's own words outside a battle, in English (the battle's are in
// battle/lines_en.cpp): the player's choice, never the default. ASCII, so
// the transcript stays GBK.
#include "codec/verse.h"
#include "shell/texts.h"
#include "version.h"

namespace bramble {

const GameTexts kEnglishTexts = {
    .code = "en",
    .title_line = "<14>*-----Brambleworthen Console Edition <13>V" BRAMBLE_VERSION "<14>-----*",
    .maker_line = "<14>*---- presented by the Brambleworthen team -----*",
    .name_prompt = "<12>*-- Enter the two fighters' names, separated by a space: --*",
    .same_name = "<12>*-- Fighting yourself? -_-! Awkward... --*\n\n",
    .play_again =
        "<12>\n\n*-- Play again? Type <14>R<12> to rematch, <14>Y<12> for new names, anything "
        "else to quit: --*",
    .hidden_verse = kEnglishHiddenVerse,
    .version_line = "Brambleworthen Console Edition V" BRAMBLE_VERSION,
    .copyright = "Copyright (C) 2026 Brambleworthen\n",
    .interval_help = {"              the pause between battle steps, default ",
                      "              a number of milliseconds, without a unit"},
    .save_help = {"              saves the battle, as the screen shows it,",
                  "              to this text file"},
    .language_help = "              zh (Chinese, the default) or en (English)",
    .battle = EnglishLine,
    .notice = EnglishTranscriptNotice,
};

}  // namespace bramble
