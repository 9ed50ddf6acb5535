// The pacing tick on Windows: a thread timer without a window, whose
// messages arrive on the thread's queue. The system coalesces timer messages
// that nobody took into one, and keeps the period within its own limits.
#include "battle/ticker.h"

#include <windows.h>

namespace bramble::ticker_platform {

void Start(uint32_t id, uint32_t period) { SetTimer(nullptr, id, period, nullptr); }

// Any message counts as a tick, a failed wait (-1) too; 0 is a quit.
int Wait() {
  MSG message;
  return GetMessageA(&message, nullptr, 0, 0);
}

}  // namespace bramble::ticker_platform
