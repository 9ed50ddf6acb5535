// The pacing tick on POSIX: a periodic timerfd on the monotonic clock. The
// kernel keeps the schedule absolute, so nothing drifts, and one read takes
// every expiration that is pending, so missed ticks become one tick. Where
// no timerfd can be had, the wait sleeps to absolute deadlines instead.
#include "battle/ticker.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace bramble::ticker_platform {

namespace {

int g_fd = -1;
int64_t g_period_ns = 0;
int64_t g_next_deadline_ns = 0;  // for the sleeping fallback

int64_t MonotonicNow() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

timespec ToTimespec(int64_t ns) {
  timespec ts;
  ts.tv_sec = static_cast<time_t>(ns / 1000000000);
  ts.tv_nsec = static_cast<long>(ns % 1000000000);
  return ts;
}

// Sleeps until the next deadline on the absolute schedule; deadlines that
// passed while nobody waited count as one tick, taken at once.
int SleepToDeadline() {
  timespec deadline = ToTimespec(g_next_deadline_ns);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
  int64_t now = MonotonicNow();
  while (g_next_deadline_ns <= now)
    g_next_deadline_ns += g_period_ns;
  return 1;
}

}  // namespace

void Start(uint32_t /*id*/, uint32_t period) {
  g_period_ns = int64_t{ClampPeriod(period)} * 1000000;
  g_next_deadline_ns = MonotonicNow() + g_period_ns;

  if (g_fd >= 0)
    close(g_fd);
  g_fd = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
  if (g_fd < 0)
    return;
  itimerspec spec;
  spec.it_interval = ToTimespec(g_period_ns);
  spec.it_value = spec.it_interval;
  if (timerfd_settime(g_fd, 0, &spec, nullptr) != 0) {
    close(g_fd);
    g_fd = -1;
  }
}

int Wait() {
  if (g_fd >= 0) {
    uint64_t expirations;
    for (;;) {
      ssize_t n = read(g_fd, &expirations, sizeof expirations);
      if (n == static_cast<ssize_t>(sizeof expirations))
        return 1;
      if (n < 0 && errno == EINTR)
        continue;
      break;
    }
    // The timer broke down: go on with the sleeping schedule.
    close(g_fd);
    g_fd = -1;
    g_next_deadline_ns = MonotonicNow() + g_period_ns;
  }
  if (g_period_ns == 0)  // never started: nothing would ever tick
    return 0;
  return SleepToDeadline();
}

}  // namespace bramble::ticker_platform
