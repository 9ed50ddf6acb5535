#include "shell/verse_display.h"

#include <string>

#include "codec/base64.h"
#include "codec/verse.h"
#include "console/print_marked.h"

namespace bramble {

void ShowHiddenVerse() {
  PrintMarked("<14>\n" + std::string(FrameLine), true);
  PrintMarked("<13>" + Base64Decode(hiddenVerse), false);
  PrintMarked(std::string(FrameLine) + "\n", true);
}

}  // namespace bramble
