#ifndef BRAMBLE_CODEC_RADIX_TEXT_H_
#define BRAMBLE_CODEC_RADIX_TEXT_H_

#include <cstdint>
#include <string>

namespace bramble {

/// Write |value| in |radix| (clamped to 2..36), most significant digit
/// first, with capital letters for digits above 9. No sign, no leading
/// zeros; 0 is written as "0".
std::string RadixText(uint32_t value, uint32_t radix);

}  // namespace bramble

#endif  // BRAMBLE_CODEC_RADIX_TEXT_H_
