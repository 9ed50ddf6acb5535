#ifndef BRAMBLE_CONSOLE_UTF8_H_
#define BRAMBLE_CONSOLE_UTF8_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bramble {

/// Length of the UTF-8 sequence its first byte announces; 0 if none.
inline size_t Utf8Length(uint8_t lead) {
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

/// Appends code point `cp` (at most U+10FFFF) in UTF-8.
inline void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | cp >> 6);
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | cp >> 12);
    *out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | cp >> 18);
    *out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    *out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The two conversions between the game's GBK and a UTF-8 terminal, written
// once over the converter of a platform (iconv, or the browser's tables).

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

/// GBK text as UTF-8. `convert(gbk, out)` converts as much of the front of
/// `gbk` as is GBK and returns the bytes it took; `gb18030(bytes, out)`
/// converts exactly the 2 or 4 bytes given as GB18030, or returns false. A
/// GB18030 character a player typed (a two-byte code GBK leaves unassigned,
/// or four bytes) shows as itself; anything else that does not decode shows
/// as U+FFFD, and so do the C1 controls (U+0080 to U+009F), which a
/// terminal would obey (U+009B starts an escape sequence).
template <class Convert, class Gb18030>
std::string GbkToUtf8With(std::string_view gbk, Convert convert, Gb18030 gb18030) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  while (!gbk.empty()) {
    gbk.remove_prefix(convert(gbk, &out));
    if (gbk.empty())
      break;
    std::string ch;
    size_t length = 0;
    if (gbk.size() >= 2 && gb18030(gbk.substr(0, 2), &ch))
      length = 2;
    else if (gbk.size() >= 4 && gb18030(gbk.substr(0, 4), &ch))
      length = 4;
    bool c1_control = ch.size() == 2 && ch[0] == '\xC2' && static_cast<uint8_t>(ch[1]) < 0xA0;
    out += length > 0 && !c1_control ? std::string_view(ch) : kReplacementUtf8;
    gbk.remove_prefix(length > 0 ? length : 1);
  }
  return out;
}

/// A word typed in UTF-8 as the GBK bytes the game hashes, a character at a
/// time: `encode(ch, out)` appends the bytes of one UTF-8 character (GBK, or
/// its GB18030 form) or returns false. Bytes that are not UTF-8, and
/// characters that cannot be encoded, are kept as they are.
template <class Encode>
std::string Utf8ToGbkWith(std::string_view utf8, Encode encode) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    size_t length = Utf8Length(static_cast<uint8_t>(utf8[0]));
    if (length > 0 && length <= utf8.size() && encode(utf8.substr(0, length), &out)) {
      utf8.remove_prefix(length);
      continue;
    }
    out += utf8[0];
    utf8.remove_prefix(1);
  }
  return out;
}

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_UTF8_H_
