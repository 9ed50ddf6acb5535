#ifndef BRAMBLE_SHELL_GAME_H_
#define BRAMBLE_SHELL_GAME_H_

#include "battle/ticker.h"
#include "console/console.h"

namespace bramble {

/// The whole game: switches, banner, name entry, the first battle and the
/// play-again loop, its battles paced by `ticks` (the platform timer in the
/// game; one that never waits for fuzzing), shown on `console` and read
/// from it. Returns the exit status.
int RunGame(int argc, const char* const* argv, Ticker ticks, Console& console);
/// The same game on the process's own terminal, built for the game and
/// closed (what it holds sent) before this returns.
int RunGame(int argc, const char* const* argv, Ticker ticks);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_GAME_H_
