#include "battle/ticker.h"

namespace bramble {

void Ticker::Start(int32_t id, int32_t period) {
  ++starts;
  if (!manual)
    ticker_platform::Start(static_cast<uint32_t>(id), static_cast<uint32_t>(period));
}

int Ticker::Wait() {
  ++waits;
  return manual ? manual() : ticker_platform::Wait();
}

}  // namespace bramble
