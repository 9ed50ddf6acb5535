// Brambleworthen: two names, two fighters, one battle on a timer.
#include "battle/ticker.h"
#include "shell/game.h"

int main(int argc, char** argv) { return bramble::RunGame(argc, argv, bramble::Ticker::Timer()); }
