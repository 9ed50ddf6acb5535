#ifndef BRAMBLE_CONSOLE_UTF8_H_
#define BRAMBLE_CONSOLE_UTF8_H_

#include <cstddef>
#include <cstdint>

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

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_UTF8_H_
