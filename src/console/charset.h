#ifndef BRAMBLE_CONSOLE_CHARSET_H_
#define BRAMBLE_CONSOLE_CHARSET_H_

#include <string>
#include <string_view>

namespace bramble {

/// GBK text as UTF-8 for a UTF-8 terminal. A byte sequence that does not
/// decode shows as U+FFFD and the rest of the text is still converted.
/// (Characters a player typed beyond GBK are held in their GB18030 form and
/// show as the characters they are.)
std::string GbkToUtf8(std::string_view gbk);

/// A word typed on a UTF-8 terminal as the GBK bytes the game hashes, so the
/// same name gives the same fighter on every console. Characters GBK lacks
/// take their GB18030 form; bytes that are not UTF-8 are kept as they are.
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_CHARSET_H_
