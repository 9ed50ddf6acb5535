#ifndef BRAMBLE_CONSOLE_READ_LONG_H_
#define BRAMBLE_CONSOLE_READ_LONG_H_

#include <cstdint>
#include <string_view>

namespace bramble {

/// Reads a decimal number the way the C library's atol does: leading white
/// space skipped, an optional sign, then digits up to the first other byte;
/// no digits gives 0. Digits are accumulated in 32-bit arithmetic, so a
/// number beyond the 32-bit range wraps modulo 2^32 instead of overflowing.
int32_t ReadLong(std::string_view text);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_READ_LONG_H_
