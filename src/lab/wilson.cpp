#include "lab/wilson.h"

#include <algorithm>
#include <cmath>

namespace bramble::lab {

Interval WilsonInterval(uint64_t successes, uint64_t trials, double z) {
  if (trials == 0)
    return {};
  double n = static_cast<double>(trials);
  double p = static_cast<double>(successes) / n;
  double z2 = z * z;
  double denominator = 1 + z2 / n;
  double centre = (p + z2 / (2 * n)) / denominator;
  double half = z / denominator * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
  return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

}  // namespace bramble::lab
