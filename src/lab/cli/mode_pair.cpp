// A pair's odds from a sample of start states.
#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

int Run(const Session& session, const SampleCommand& command) {
  std::optional<MatchUp> match = session.Meet(command.name1, command.name2);
  if (!match)
    return 2;
  uint64_t battles = command.battles.value_or(kDefaultBattles);
  Playing playing = session.Play(command.threads);
  session.WarnIfLong(*match, battles, 1, playing);
  uint64_t seed = command.seed ? *command.seed : ClockSeed();
  PairReport report;
  {
    ProgressBar bar(battles, session.progress());
    playing.progress = [&](uint64_t done) { bar.Update(done); };
    report = SamplePair(*match, battles, seed, playing);
  }
  return session.Publish(command.output, report, [&] {
    session.Show("Fighters\n" + FighterTable(report.one, report.two) + "\n" +
                 SampleReport(report.one, report.two, report.tally, seed, report.threads) +
                 session.Histogram(report.tally));
  });
}

}  // namespace bramble::lab
