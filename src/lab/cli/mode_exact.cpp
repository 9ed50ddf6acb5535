// A pair's exact odds over a range of start states (all of them unless
// told otherwise).
#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

int ShowExact(const Session& session, const Output& output, const PairReport& report,
              const std::string& before) {
  return session.Publish(output, report, [&] {
    session.Show(before + "Fighters\n" + FighterTable(report.one, report.two) + "\n" +
                 ExactReport(report.one, report.two, report.tally, report.ranges) +
                 session.Histogram(report.tally));
  });
}

int Run(const Session& session, const ExactCommand& command) {
  std::optional<MatchUp> match = session.Meet(command.name1, command.name2);
  if (!match)
    return 2;
  Playing playing = session.Play(command.threads);
  session.WarnIfLong(*match, BattlesPlayed(command.ranges), 1, playing);
  PairReport report;
  {
    ProgressBar bar(Covered(command.ranges), session.progress());
    playing.progress = [&](uint64_t done) { bar.Update(done); };
    report = ExactPair(*match, command.ranges, playing);
  }
  return ShowExact(session, command.output, report, "");
}

}  // namespace bramble::lab
