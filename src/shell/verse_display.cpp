#include "shell/verse_display.h"

#include <string>

#include "codec/base64.h"
#include "console/print_marked.h"

namespace bramble {

void ShowHiddenVerse(Screen& screen, std::string_view verse) {
  screen.PrintMarked("<14>\n" + std::string(kFrameLine), true);
  screen.PrintMarked("<13>" + Base64Decode(verse), false);
  screen.PrintMarked(std::string(kFrameLine) + "\n", true);
}

}  // namespace bramble
