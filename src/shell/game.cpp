#include "shell/game.h"

#include <memory>
#include <string>
#include <string_view>

#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "console/read_long.h"
#include "console/terminal.h"
#include "shell/command_line.h"
#include "shell/locale.h"
#include "shell/texts.h"
#include "shell/verse_display.h"

namespace bramble {

namespace {

void PrintBanner(Screen& screen, const GameTexts& texts) {
  screen.PrintMarked(kFrameLine, true);
  screen.PrintMarked(texts.title_line, true);
  screen.PrintMarked(texts.maker_line, true);
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
bool EnterNames(Console& console, Screen& screen, const GameTexts& texts, std::string* first,
                std::string* second) {
  screen.PrintMarked(texts.name_prompt, true);
  for (;;) {
    if (!console.ReadWord(first) || !console.ReadWord(second))
      return false;
    if (*first != *second)
      return true;
    screen.PrintMarked(texts.same_name, true);
    screen.PrintMarked(texts.name_prompt, true);
  }
}

// The language the player chose with /L:en or /L:zh; Chinese for any other
// value and without the switch, whatever the locale says.
const GameTexts& ChosenTexts(const CommandLine& command_line) {
  if (!command_line.HasOption("L:"))
    return kChineseTexts;
  const GameTexts* chosen = TextsFor(command_line.OptionValue("L:", ":"));
  return chosen != nullptr ? *chosen : kChineseTexts;
}

}  // namespace

int RunGame(int argc, const char* const* argv, Ticker ticks, Console& console) {
  // The session's one generator, seeded from the clock; every battle and
  // rematch draws on from where the last one stopped.
  Dice dice = Dice::FromClock();
  CommandLine command_line(argc, argv);
  const GameTexts& texts = ChosenTexts(command_line);
  if (command_line.HasOption("?") || HasArgument(argc, argv, "--help") ||
      HasArgument(argc, argv, "-h")) {
    // Without /L:, a player whose platform speaks English reads the usage
    // in English, which names /L:; the game itself stays Chinese.
    Screen usage(console);
    PrintUsage(usage,
               command_line.HasOption("L:") || !PlayerReadsEnglish() ? texts : kEnglishTexts);
    return 0;
  }
  if (HasArgument(argc, argv, "--version")) {
    Screen(console).PrintMarked(texts.version_line, true);
    return 0;
  }
  Screen screen(console, command_line.HasOption("S:") ? command_line.OptionValue("S:", ":") : "",
                texts.notice);
  ScreenNarrator narrator(screen, texts.battle);
  Arena arena(ticks, narrator, dice);
  if (command_line.HasOption("I:"))
    arena.interval = ReadLong(command_line.OptionValue("I:", ":"));

  PrintBanner(screen, texts);
  std::string first_name;
  std::string second_name;
  if (!EnterNames(console, screen, texts, &first_name, &second_name))
    return 0;
  arena.Setup(first_name, second_name);
  arena.Battle();

  std::string answer;
  for (;;) {
    screen.PrintMarked(texts.play_again, true);
    console.ReadWord(&answer);  // the end of input reads as an empty word
    if (answer == "qzpw") {
      ShowHiddenVerse(screen, texts.hidden_verse);
    } else if (answer == "R" || answer == "r") {
      arena.Rematch(first_name, second_name);
    } else if (answer == "Y" || answer == "y") {
      if (!EnterNames(console, screen, texts, &first_name, &second_name))
        return 0;
      arena.Rematch(first_name, second_name);
    } else {
      return 0;
    }
  }
}

int RunGame(int argc, const char* const* argv, Ticker ticks) {
  std::unique_ptr<Console> terminal = OpenTerminal();
  return RunGame(argc, argv, ticks, *terminal);
}

}  // namespace bramble
