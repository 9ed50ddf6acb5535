#ifndef BRAMBLE_BATTLE_TICKER_H_
#define BRAMBLE_BATTLE_TICKER_H_

#include <cstdint>
#include <functional>

namespace bramble {

/// The pacing tick of the battles: one periodic timer, started once and
/// never stopped, and a blocking wait that returns once per tick. Ticks that
/// fall due while nobody waits are coalesced into one pending tick.
class Ticker {
 public:
  /// Starts the periodic timer. The period is handed over as an unsigned
  /// 32-bit number; the platform limits it to 10 ms .. 0x7FFFFFFF ms.
  void Start(int32_t id, int32_t period);
  /// Blocks until the next tick. Returns non-zero for a tick, 0 for a quit.
  int Wait();

  /// Test hook: when set, the platform timer is left alone and every Wait
  /// returns what this returns, so tests step battles by hand.
  std::function<int()> manual;
  /// How many times Start and Wait were called.
  int starts = 0;
  int64_t waits = 0;
};

namespace ticker_platform {
// Implemented once per platform (ticker_posix.cpp, ticker_win32.cpp).
void Start(uint32_t id, uint32_t period);
int Wait();
}  // namespace ticker_platform

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_TICKER_H_
