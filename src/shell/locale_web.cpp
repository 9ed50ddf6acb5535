// In the page: the page chooses the game's language (/L:) from its own, so
// the usage text, never shown there, keeps the game's default.
#include "shell/locale.h"

namespace bramble {

bool PlayerReadsEnglish() { return false; }

}  // namespace bramble
