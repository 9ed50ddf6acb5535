// A pair's odds from a sample of start states.
#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/defaults.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

int RunSample(const Session& session, const std::string& name1, const std::string& name2) {
  const LabOptions& options = session.options;
  uint64_t battles = options.battles.value_or(kDefaultBattles);
  session.WarnIfLong(name1, name2, battles, 1);
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  PairReport report;
  {
    ProgressBar bar(battles);
    report = SamplePair(name1, name2, battles, seed, session.threads(),
                        [&](uint64_t done) { bar.Update(done); });
  }
  return session.Publish(report, [&] {
    Show("Fighters\n" + FighterTable(report.one, report.two) + "\n" +
         SampleReport(report.one, report.two, report.tally, seed, report.threads) +
         ConsoleHistogram(report.tally));
  });
}

}  // namespace bramble::lab
