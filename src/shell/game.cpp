#include "shell/game.h"

#include <string>
#include <string_view>

#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "console/read_long.h"
#include "console/terminal.h"
#include "shell/command_line.h"
#include "shell/verse_display.h"

namespace bramble {

namespace {

constexpr std::string_view kNamePrompt = "<12>*-- 请输入对战双方的姓名，用空格分开：--*";
constexpr std::string_view kSameNameMessage = "<12>*-- 自己跟自己打架？-_-! 汗哦 --*\n\n";
constexpr std::string_view kPlayAgainPrompt =
    "<12>\n\n*-- 继续玩吗？输入<14>R<12>再比一局，输入<14>Y<12>使用新的名字，输入其他结束游戏：--*";

// The title line is 49 columns wide, like the frame, with a version of five
// characters (0.0.1); a longer one needs a dash fewer per extra character.
static_assert(std::string_view(BRAMBLE_VERSION).size() == 5,
              "adjust the banner's title line to the version's length");

void PrintBanner(Screen& screen) {
  screen.PrintMarked(kFrameLine, true);
  screen.PrintMarked("<14>*--------Brambleworthen 控制台版 <13>V" BRAMBLE_VERSION "<14>---------*",
                     true);
  screen.PrintMarked("<14>*---------- Brambleworthen 开发组出品 ----------*", true);
  screen.PrintMarked(kFrameLine, true);
}

// Arguments for players used to other command-line programs; none of them
// holds an option text, so they change nothing the switches do.
bool HasArgument(int argc, const char* const* argv, std::string_view wanted) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == wanted)
      return true;
  }
  return false;
}

// Reads two different names. Returns false when the input ends first.
bool EnterNames(Screen& screen, std::string* first, std::string* second) {
  screen.PrintMarked(kNamePrompt, true);
  for (;;) {
    if (!terminal::ReadWord(first) || !terminal::ReadWord(second))
      return false;
    if (*first != *second)
      return true;
    screen.PrintMarked(kSameNameMessage, true);
    screen.PrintMarked(kNamePrompt, true);
  }
}

}  // namespace

int RunGame(int argc, const char* const* argv, Ticker ticks) {
  // The session's one generator, seeded from the clock; every battle and
  // rematch draws on from where the last one stopped.
  Dice dice = Dice::FromClock();
  CommandLine command_line(argc, argv);
  if (command_line.HasOption("?") || HasArgument(argc, argv, "--help") ||
      HasArgument(argc, argv, "-h")) {
    Screen usage;
    PrintUsage(usage);
    return 0;
  }
  if (HasArgument(argc, argv, "--version")) {
    Screen().PrintMarked(kVersionLine, true);
    return 0;
  }
  Screen screen(command_line.HasOption("S:") ? command_line.OptionValue("S:", ":") : "");
  ScreenNarrator narrator(screen);
  Arena arena(ticks, narrator, dice);
  if (command_line.HasOption("I:"))
    arena.interval = ReadLong(command_line.OptionValue("I:", ":"));

  PrintBanner(screen);
  std::string first_name;
  std::string second_name;
  if (!EnterNames(screen, &first_name, &second_name))
    return 0;
  arena.Setup(first_name, second_name);
  arena.Battle();

  std::string answer;
  for (;;) {
    screen.PrintMarked(kPlayAgainPrompt, true);
    terminal::ReadWord(&answer);  // the end of input reads as an empty word
    if (answer == "qzpw") {
      ShowHiddenVerse(screen);
    } else if (answer == "R" || answer == "r") {
      arena.Rematch(first_name, second_name);
    } else if (answer == "Y" || answer == "y") {
      if (!EnterNames(screen, &first_name, &second_name))
        return 0;
      arena.Rematch(first_name, second_name);
    } else {
      return 0;
    }
  }
}

}  // namespace bramble
