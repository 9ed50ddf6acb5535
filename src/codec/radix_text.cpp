#include "codec/radix_text.h"

#include <algorithm>

namespace bramble {

std::string RadixText(uint32_t value, uint32_t radix) {
  radix = std::clamp<uint32_t>(radix, 2, 36);
  // Digits come out least significant first; reverse them at the end.
  std::string text;
  do {
    uint32_t digit = value % radix;
    value /= radix;
    text.push_back(static_cast<char>(digit < 10 ? '0' + digit : 'A' + (digit - 10)));
  } while (value != 0);
  std::reverse(text.begin(), text.end());
  return text;
}

}  // namespace bramble
