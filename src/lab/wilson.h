#ifndef BRAMBLE_LAB_WILSON_H_
#define BRAMBLE_LAB_WILSON_H_

#include <cstdint>

namespace bramble::lab {

struct Interval {
  double low = 0;
  double high = 1;
};

/// z of a two-sided 95 % interval of the normal distribution.
constexpr double kZ95 = 1.959963984540054;

/// The Wilson score interval of a proportion: `successes` out of `trials`.
/// Unlike p +- z*sqrt(p(1-p)/n) it stays inside 0..1 and is sound near 0 %
/// and 100 %. 0..1 when there are no trials.
Interval WilsonInterval(uint64_t successes, uint64_t trials, double z = kZ95);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_WILSON_H_
