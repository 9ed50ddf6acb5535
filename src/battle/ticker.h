#ifndef BRAMBLE_BATTLE_TICKER_H_
#define BRAMBLE_BATTLE_TICKER_H_

#include <cstdint>

namespace bramble {

/// The pace of a battle when the player chooses none, in ms.
inline constexpr int32_t kDefaultInterval = 1000;
/// The timer's limits, in ms, as the console timer keeps them: a shorter
/// period is taken as the minimum, a longer one as the maximum.
inline constexpr uint32_t kMinimumPeriod = 10;
inline constexpr uint32_t kMaximumPeriod = 0x7FFFFFFF;
/// The period within those limits.
uint32_t ClampPeriod(uint32_t period);

/// The tick that paces the battles, handed to the Arena. Either the
/// platform's periodic timer (the game's: started once, never stopped, ticks
/// that fall due while nobody waits coalesced into one pending tick), or a
/// source that never waits and gives a fixed number of ticks at once, then
/// quits (tools that run battles as fast as they go: the lab, tests, fuzzing).
class Ticker {
 public:
  /// The platform timer, paced in real time.
  static Ticker Timer();
  /// `ticks` ticks without waiting; every wait after them is a quit.
  static Ticker Immediate(uint64_t ticks);

  /// Starts the periodic timer. The period is handed over as an unsigned
  /// 32-bit number; the platform keeps it within kMinimumPeriod ..
  /// kMaximumPeriod.
  void Start(int32_t id, int32_t period);
  /// Blocks until the next tick. Returns non-zero for a tick, 0 for a quit.
  int Wait();

  /// How many times Start and Wait were called.
  int Starts() const { return starts_; }
  int64_t Waits() const { return waits_; }

 private:
  Ticker(bool paced, uint64_t ticks) : paced_(paced), ticks_(ticks) {}

  bool paced_;
  uint64_t ticks_;  // for an immediate source: ticks it gives before quitting
  int starts_ = 0;
  int64_t waits_ = 0;
};

namespace ticker_platform {
// The platform's one timer, implemented once per platform (ticker_posix.cpp,
// ticker_win32.cpp, ticker_web.cpp).
void Start(uint32_t id, uint32_t period);
int Wait();
}  // namespace ticker_platform

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_TICKER_H_
