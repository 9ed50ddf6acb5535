#include "shell/verse_display.h"

#include <string>

#include "codec/base64.h"
#include "codec/verse.h"
#include "console/print_marked.h"

namespace bramble {

void ShowHiddenVerse(Screen& screen) {
  screen.PrintMarked("<14>\n" + std::string(kFrameLine), true);
  screen.PrintMarked("<13>" + Base64Decode(kHiddenVerse), false);
  screen.PrintMarked(std::string(kFrameLine) + "\n", true);
}

}  // namespace bramble
