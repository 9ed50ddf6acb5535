#ifndef BRAMBLE_SHELL_LOCALE_H_
#define BRAMBLE_SHELL_LOCALE_H_

namespace bramble {

/// Whether the player's own language, as the platform tells it, is
/// English: on POSIX the locale's language for messages (LC_ALL, else
/// LC_MESSAGES, else LANG); on Windows the user's interface language; never
/// in the page, which chooses the game's language itself. Only the usage
/// text follows it, so that a player who reads no Chinese finds /L: there;
/// the game's own default stays Chinese.
bool PlayerReadsEnglish();

}  // namespace bramble

#endif  // BRAMBLE_SHELL_LOCALE_H_
