#ifndef BRAMBLE_BATTLE_LINES_H_
#define BRAMBLE_BATTLE_LINES_H_

// What a player sees of a battle: the texts that turn what happened into
// marked-up lines, and the narrator that shows them on the screen (and so
// in the transcript). The rules never see a text; another language is
// another set of texts for the same narrator.

#include <cstdint>
#include <string>
#include <string_view>

#include "battle/fighter.h"
#include "battle/narrator.h"
#include "battle/rules.h"
#include "console/print_marked.h"

namespace bramble {

extern const std::string_view kSongTitles[rules::kSongTitleCount];
extern const std::string_view kReactionLines[rules::kReactionLineCount];

/// A language's lines: the marked-up line for `event`, with both fighters'
/// hp where the line shows them (a fighter built: its attribute line).
using BattleTexts = std::string (*)(const Event& event, const Fighter& first,
                                    const Fighter& second);

/// The game's own lines, in Chinese.
std::string ChineseLine(const Event& event, const Fighter& first, const Fighter& second);

/// The same lines in English, chosen by the player: the same colours on the
/// same parts of each line and the same numbers in the same order.
extern const std::string_view kEnglishSongTitles[rules::kSongTitleCount];
extern const std::string_view kEnglishReactionLines[rules::kReactionLineCount];
std::string EnglishLine(const Event& event, const Fighter& first, const Fighter& second);

/// A line as the screen shows it, from what a language says of `event`
/// (`told`): a step's line gains both fighters' hp, the start and the fall
/// four blanks; the bare line end and the attribute line are the same in
/// every language and never reach `told`.
std::string LineOf(std::string (*told)(const Event&), const Event& event, const Fighter& first,
                   const Fighter& second);
/// A fighter's attribute line: name, HP, MP, ATK and DEF, in every language.
std::string AttributeLine(const Fighter& fighter);

/// "<3>" name "<15>": a fighter's name in cyan, the text after it white.
std::string ColoredName(const Fighter& fighter);
/// "<12>" digits "<15>": a number in light red.
std::string NumberText(int32_t n);
/// Signed decimal digits; the most negative value included.
std::string DecimalText(int32_t n);

/// Shows a battle on `screen` in the words of `texts`: every line through
/// PrintMarked, except a fighter's attribute line and the bare line end,
/// which reach the console only.
class ScreenNarrator : public Narrator {
 public:
  explicit ScreenNarrator(Screen& screen, BattleTexts texts = ChineseLine)
      : screen_(screen), texts_(texts) {}
  void Tell(const Event& event, const Fighter& first, const Fighter& second) override;

 private:
  Screen& screen_;
  BattleTexts texts_;
};

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_LINES_H_
