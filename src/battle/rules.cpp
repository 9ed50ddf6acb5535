#include "battle/rules.h"

#include <cmath>

namespace bramble {

int32_t TruncateToInt32(double value) {
  // Out of range, a conversion gives the "integer indefinite" value, as the
  // x86 conversion instruction does, instead of undefined behaviour.
  if (!(value >= -2147483648.0 && value < 2147483648.0))
    return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t PercentOfLarge(int64_t product) {
  return TruncateToInt32(std::floor(static_cast<double>(product) * 0.01f));
}

int32_t PummelAttackTerm(int32_t roll, int32_t atk) {
  double exact = static_cast<double>(static_cast<int64_t>(roll) * atk) * 0.01f;
  return TruncateToInt32(std::floor(static_cast<float>(exact)));
}

}  // namespace bramble
