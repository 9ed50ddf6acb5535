// The player's language on Windows: the language of the user's interface.
#include <windows.h>

#include "shell/locale.h"

namespace bramble {

bool PlayerReadsEnglish() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH; }

}  // namespace bramble
