#ifndef BRAMBLE_SHELL_VERSE_DISPLAY_H_
#define BRAMBLE_SHELL_VERSE_DISPLAY_H_

#include <string_view>

#include "console/print_marked.h"

namespace bramble {

/// Shows the hidden verse (`verse`, Base64) between two frame lines.
/// Changes nothing else.
void ShowHiddenVerse(Screen& screen, std::string_view verse);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_VERSE_DISPLAY_H_
