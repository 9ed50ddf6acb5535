// Silent battles per second: one thread, then 1..N worker threads, for a
// few pairs of names. Run on a Release build of an otherwise idle machine;
// on a busy one, the battles per second of processor time (all threads'
// time added up) still tell how fast a thread plays, whatever else runs.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "lab/battle_run.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  // bench_battles [BATTLES [MAX_THREADS]]
  uint64_t battles = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20000000;
  int max_threads =
      argc > 2 ? std::atoi(argv[2]) : static_cast<int>(std::thread::hardware_concurrency());
  if (battles == 0)
    battles = 20000000;
  if (max_threads < 1)
    max_threads = 1;
  // The lane path the lab would choose, forced by BRAMBLE_LANES as there.
  const char* forced = std::getenv("BRAMBLE_LANES");
  bramble::lab::LaneChoice choice = bramble::lab::ChooseLanePath(forced ? forced : "");
  std::fputs(choice.warning.c_str(), stderr);
  const bramble::lab::LanePath lanes = choice.path;

  const std::pair<const char*, const char*> pairs[] = {
      {"abc", "xyz"}, {"alice", "bob"}, {"Brambleworthen", "odds"}};

  std::printf("%-26s %8s %12s %14s %12s %12s %9s %8s\n", "pair", "threads", "battles", "battles/s",
              "per thread", "per CPU s", "ticks", "scaling");
  std::string estimates;
  for (const auto& [one, two] : pairs) {
    double single = 0;
    double best = 0;
    for (int threads = 1; threads <= max_threads; ++threads) {
      auto plan = bramble::lab::BattlePlan::Sample(battles, 12345);
      auto start = Clock::now();
      std::clock_t cpu_start = std::clock();
      bramble::lab::Tally tally =
          bramble::lab::RunBattles(bramble::lab::MatchUp::Of(one, two), plan, {lanes, threads});
      double seconds = Seconds(start);
      double cpu_seconds = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
      double rate = static_cast<double>(battles) / seconds;
      if (threads == 1)
        single = rate;
      if (rate > best)
        best = rate;
      std::printf("%-26s %8d %12llu %14.0f %12.0f %12.0f %9.2f %7.2fx\n",
                  (std::string(one) + " vs " + two).c_str(), threads,
                  static_cast<unsigned long long>(battles), rate, rate / threads,
                  static_cast<double>(battles) / cpu_seconds, tally.MeanTicks(), rate / single);
    }
    char line[160];
    std::snprintf(line, sizeof line, "  %-26s %6.1f minutes with %d thread(s)\n",
                  (std::string(one) + " vs " + two).c_str(), 4294967296.0 / best / 60, max_threads);
    estimates += line;
  }
  std::printf("\n--exact plays all 4294967296 start states; at the best rates above:\n%s",
              estimates.c_str());
  return 0;
}
