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

/// Appends the UTF-8 form of a code point.
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

/// UTF-8 to GBK, one character at a time: `encode(character, &out)` appends
/// the GBK (or GB18030) bytes of one whole UTF-8 sequence and says whether
/// it could. A byte that starts no sequence, or a character that cannot be
/// encoded, is kept as it is, as a name typed in another character set is.
template <typename EncodeOne>
std::string Utf8ToGbkEach(std::string_view utf8, EncodeOne encode) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    size_t length = Utf8Length(static_cast<uint8_t>(utf8[0]));
    if (length > 0 && length <= utf8.size() && encode(utf8.substr(0, length), &out)) {
      utf8.remove_prefix(length);
      continue;
    }
    out += utf8[0];  // not UTF-8: kept as it is
    utf8.remove_prefix(1);
  }
  return out;
}

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_UTF8_H_
