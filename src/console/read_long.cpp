#include "console/read_long.h"

#include "console/ascii.h"

namespace bramble {

int32_t ReadLong(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  uint32_t value = 0;  // unsigned, so the wrap-around is defined
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  if (negative)
    value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace bramble
