// Pacing of the battles on the real tick source: how closely the elapsed
// time follows ticks x interval, whether that drifts as battles get longer,
// and how much CPU the process uses while it waits.
//
//   bench_pacing [interval_ms]      (default 10, as /I:10)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/recording_console_test.h"

namespace {

// Seconds on the monotonic clock.
double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Pace {
  double ratio;        // elapsed / (ticks x interval)
  double cpu_percent;  // CPU time / elapsed, of one core
};

void Report(const char* what, int64_t ticks, Pace pace) {
  std::printf("%-34s %6lld ticks  elapsed/(ticks x interval) %.4f  CPU %.3f %%\n", what,
              static_cast<long long>(ticks), pace.ratio, pace.cpu_percent);
}

}  // namespace

int main(int argc, char** argv) {
  int interval = argc > 1 ? std::atoi(argv[1]) : 10;
  bramble::Dice dice = bramble::Dice::Seeded(1);
  bramble::RecordingConsole discard;  // battle lines are not the measure
  bramble::Screen screen(discard);
  bramble::ScreenNarrator narrator(screen);
  bramble::Arena arena(bramble::Ticker::Timer(), narrator, dice);
  arena.interval = interval;

  // Whole seeded battles, one after another on the one timer, as a run
  // with rematches goes. The clock starts at Setup, when the timer starts.
  double start = Now();
  double cpu_start = CpuSeconds();
  arena.Setup("abc", "xyz");
  arena.Battle();
  for (int battle = 1; battle < 20; ++battle)
    arena.Rematch("abc", "xyz");
  double elapsed = Now() - start;
  double cpu = CpuSeconds() - cpu_start;
  int64_t battle_ticks = arena.ticker.Waits();
  Pace battles{elapsed / (battle_ticks * interval / 1000.0), 100.0 * cpu / elapsed};

  // Longer and longer runs of bare ticks on the same timer: the ratio must
  // not grow with the length.
  Pace runs[3];
  const int64_t lengths[3] = {100, 1000, 3000};
  for (int i = 0; i < 3; ++i) {
    arena.ticker.Wait();  // line up with the schedule
    double run_start = Now();
    double run_cpu = CpuSeconds();
    for (int64_t t = 0; t < lengths[i]; ++t)
      arena.ticker.Wait();
    double run_elapsed = Now() - run_start;
    runs[i] = {run_elapsed / (lengths[i] * interval / 1000.0),
               100.0 * (CpuSeconds() - run_cpu) / run_elapsed};
  }

  std::printf("pacing at %d ms (targets: ratio <= 1.005, no growth; CPU < 0.5 %%)\n", interval);
  Report("20 seeded battles, with rematches", battle_ticks, battles);
  const char* names[3] = {"bare ticks, short run", "bare ticks, medium run",
                          "bare ticks, long run"};
  for (int i = 0; i < 3; ++i)
    Report(names[i], lengths[i], runs[i]);
  return 0;
}
