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
  auto names = session.Pair(command.name1, command.name2);
  if (!names)
    return 2;
  const auto& [name1, name2] = *names;
  int threads = Threads(command.threads);
  session.WarnIfLong(name1, name2, BattlesPlayed(command.ranges), 1, threads);
  PairReport report;
  {
    ProgressBar bar(Covered(command.ranges), session.progress());
    report =
        ExactPair(name1, name2, command.ranges, threads, [&](uint64_t done) { bar.Update(done); });
  }
  return ShowExact(session, command.output, report, "");
}

}  // namespace bramble::lab
