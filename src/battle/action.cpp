#include "battle/action.h"

#include <cmath>

namespace bramble {

int32_t TruncateToInt32(double value) {
  // Out of range, a conversion gives the "integer indefinite" value, as the
  // x86 conversion instruction does, instead of undefined behaviour.
  if (!(value >= -2147483648.0 && value < 2147483648.0))
    return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t PercentOf(int32_t roll, int32_t base) {
  // 0.01f is exactly 5368709 / 2^29. For every product the game can reach,
  // multiplying by it is exact in 64-bit integers and the shift floors.
  static_assert(static_cast<double>(0.01f) == 5368709.0 / 536870912.0);
  int64_t product = static_cast<int64_t>(roll) * base;
  if (product > -(int64_t{1} << 40) && product < (int64_t{1} << 40))
    return static_cast<int32_t>((product * 5368709) >> 29);
  return TruncateToInt32(std::floor(static_cast<double>(product) * 0.01f));
}

bool AttributeCheck(int32_t roll, int32_t attribute, int32_t threshold) {
  int64_t product = static_cast<int64_t>(roll) * attribute;
  return product > static_cast<int64_t>(threshold) * threshold;
}

}  // namespace bramble
