// Brambleworthen in the browser: the same game. Its blocking reads and waits
// return to the browser's event loop, which outlives main; the end of the
// game is therefore made an exit of its own, so the page hears of it.
#include <emscripten.h>

#include "battle/ticker.h"
#include "shell/game.h"

int main(int argc, char** argv) {
  emscripten_force_exit(bramble::RunGame(argc, argv, bramble::Ticker::Timer()));
}
