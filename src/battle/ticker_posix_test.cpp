#include "battle/ticker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace bramble {
namespace {

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Ticks missed while nobody waited come as one pending tick, never a burst.
TEST(TickerPosix, MissedTicksCoalesceIntoOne) {
  ticker_platform::Start(1, 200);
  SleepSeconds(0.7);  // three ticks fall due
  double before = Now();
  EXPECT_EQ(ticker_platform::Wait(), 1);
  double pending = Now() - before;
  EXPECT_EQ(ticker_platform::Wait(), 1);
  double next = Now() - before - pending;
  EXPECT_LT(pending, 0.1) << "the pending tick is taken at once";
  EXPECT_GT(next, 0.03) << "the next tick keeps to the schedule";
}

// A zero or negative interval is a period of 10 ms or 0x7FFFFFFF ms: either
// way the wait returns ticks or blocks, never spins.
TEST(TickerPosix, ShortPeriodsAreTenMilliseconds) {
  ticker_platform::Start(1, 0);
  ticker_platform::Wait();
  double before = Now();
  for (int i = 0; i < 5; ++i)
    ticker_platform::Wait();
  EXPECT_GT(Now() - before, 0.04);
}

}  // namespace
}  // namespace bramble
