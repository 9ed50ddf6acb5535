#ifndef BRAMBLE_SHELL_VERSE_DISPLAY_H_
#define BRAMBLE_SHELL_VERSE_DISPLAY_H_

namespace bramble {

/// Shows the hidden verse between two frame lines. Changes nothing else.
void ShowHiddenVerse();

}  // namespace bramble

#endif  // BRAMBLE_SHELL_VERSE_DISPLAY_H_
