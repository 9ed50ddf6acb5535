#include "battle/ticker.h"

namespace bramble {

uint32_t ClampPeriod(uint32_t period) {
  return period < kMinimumPeriod   ? kMinimumPeriod
         : period > kMaximumPeriod ? kMaximumPeriod
                                   : period;
}

Ticker Ticker::Timer() { return Ticker(true, 0); }

Ticker Ticker::Immediate(uint64_t ticks) { return Ticker(false, ticks); }

void Ticker::Start(int32_t id, int32_t period) {
  ++starts_;
  if (paced_)
    ticker_platform::Start(static_cast<uint32_t>(id), static_cast<uint32_t>(period));
}

int Ticker::Wait() {
  ++waits_;
  if (paced_)
    return ticker_platform::Wait();
  return static_cast<uint64_t>(waits_) <= ticks_ ? 1 : 0;
}

}  // namespace bramble
