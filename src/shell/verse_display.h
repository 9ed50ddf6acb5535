#ifndef BRAMBLE_SHELL_VERSE_DISPLAY_H_
#define BRAMBLE_SHELL_VERSE_DISPLAY_H_

#include "console/print_marked.h"

namespace bramble {

/// Shows the hidden verse between two frame lines. Changes nothing else.
void ShowHiddenVerse(Screen& screen);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_VERSE_DISPLAY_H_
