#ifndef BRAMBLE_SHELL_GAME_H_
#define BRAMBLE_SHELL_GAME_H_

namespace bramble {

/// The whole game: switches, banner, name entry, the first battle and the
/// play-again loop. Returns the exit status.
int RunGame(int argc, const char* const* argv);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_GAME_H_
