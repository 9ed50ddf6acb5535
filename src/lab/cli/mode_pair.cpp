// A pair's odds from a sample of start states.
#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/defaults.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

int Run(const Session& session, const SampleCommand& command) {
  auto names = session.Pair(command.name1, command.name2);
  if (!names)
    return 2;
  const auto& [name1, name2] = *names;
  uint64_t battles = command.battles.value_or(kDefaultBattles);
  int threads = Threads(command.threads);
  session.WarnIfLong(name1, name2, battles, 1, threads);
  uint64_t seed = command.seed ? *command.seed : ClockSeed();
  PairReport report;
  {
    ProgressBar bar(battles, session.progress());
    report =
        SamplePair(name1, name2, battles, seed, threads, [&](uint64_t done) { bar.Update(done); });
  }
  return session.Publish(command.output, report, [&] {
    session.Show("Fighters\n" + FighterTable(report.one, report.two) + "\n" +
                 SampleReport(report.one, report.two, report.tally, seed, report.threads) +
                 session.Histogram(report.tally));
  });
}

}  // namespace bramble::lab
