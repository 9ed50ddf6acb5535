// The player's language on POSIX: the locale that messages would be in.
#include <cstdlib>
#include <string_view>

#include "shell/locale.h"

namespace bramble {

bool PlayerReadsEnglish() {
  // The first of these that is set and not empty names the locale of
  // messages, as setlocale(LC_MESSAGES, "") takes it; nothing is set here.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0')
      continue;
    // language[_territory][.codeset][@modifier]: "en", "en_GB.UTF-8".
    std::string_view name(value);
    std::string_view language = name.substr(0, name.find_first_of("_.@"));
    return language == "en";
  }
  return false;
}

}  // namespace bramble
